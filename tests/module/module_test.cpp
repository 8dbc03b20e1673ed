#include "module/skinkitmodule.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinkitModuleTest, EachLoadRegistersTheLibraryAndEachUnloadRemovesIt) {
    auto& libraries = AfxGetModuleState()->m_libraryList;
    const int before = libraries.GetCount();
    for (int round = 0; round < 2; ++round) { // loading again after an unload registers afresh
        HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
        ASSERT_NE(skinkit, nullptr);
        ASSERT_EQ(libraries.GetCount(), before + 1);
        EXPECT_EQ(libraries.GetTail()->m_hModule, skinkit);
        EXPECT_TRUE(FreeLibrary(skinkit));
        EXPECT_EQ(libraries.GetCount(), before);
    }
}

} // namespace
