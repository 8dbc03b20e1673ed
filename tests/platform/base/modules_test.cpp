#include "platform/base/afx.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

TEST(RuntimeClassTest, KindOfFollowsTheBaseChain) {
    CCircle circle;
    CShape shape;
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)) && circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(shape.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, &shape), nullptr);
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CCircle)->CreateObject());
    EXPECT_TRUE(made && made->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
}

// A linked library as the loader sees it: an entry that registers its extension module.
AFX_EXTENSION_MODULE g_module;
const CRuntimeClass* const g_classes[] = {RUNTIME_CLASS(CShape), RUNTIME_CLASS(CCircle), nullptr};
int g_detaches = 0;

BOOL TestEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module.pClasses = g_classes;
        if (!AfxInitExtensionModule(g_module, instance)) return FALSE;
        new CDynLinkLibrary(g_module);
    } else if (reason == DLL_PROCESS_DETACH) {
        ++g_detaches;
        AfxTermExtensionModule(g_module);
    }
    return TRUE;
}

BOOL RefusingEntry(HINSTANCE, DWORD, LPVOID) {
    return FALSE;
}

TEST(ModuleTest, ExtensionLibraryClassesAreKnownWhileLoaded) {
    EXPECT_EQ(AfxFindRuntimeClass("CCircle"), nullptr);
    HMODULE lib = LoadLinkedLibrary(u"shapes", TestEntry);
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(g_module.hModule, lib);
    EXPECT_EQ(AfxFindRuntimeClass("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(AfxGetModuleState()->m_libraryList.GetCount(), 1);
    EXPECT_TRUE(FreeLibrary(lib));
    EXPECT_EQ(g_detaches, 1);
    EXPECT_EQ(AfxFindRuntimeClass("CCircle"), nullptr);
    EXPECT_TRUE(AfxGetModuleState()->m_libraryList.IsEmpty());
    EXPECT_FALSE(FreeLibrary(lib));
    EXPECT_EQ(LoadLinkedLibrary(u"refuses", RefusingEntry), nullptr);
    EXPECT_NE(AfxGetInstanceHandle(), nullptr);
}

} // namespace
