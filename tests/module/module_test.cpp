#include "module/skinkitmodule.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinkitModuleTest, LoadingRegistersTheLibraryAndUnloadingRemovesIt) {
    auto& libraries = AfxGetModuleState()->m_libraryList;
    const int before = libraries.GetCount();
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    ASSERT_NE(skinkit, nullptr);
    ASSERT_EQ(libraries.GetCount(), before + 1);
    EXPECT_EQ(libraries.GetTail()->m_hModule, skinkit);
    EXPECT_TRUE(FreeLibrary(skinkit));
    EXPECT_EQ(libraries.GetCount(), before);
    // Loading again after an unload registers afresh.
    skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    ASSERT_NE(skinkit, nullptr);
    EXPECT_EQ(libraries.GetCount(), before + 1);
    EXPECT_TRUE(FreeLibrary(skinkit));
    EXPECT_EQ(libraries.GetCount(), before);
}

} // namespace
