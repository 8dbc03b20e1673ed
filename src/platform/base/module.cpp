#include "platform/base/module.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct LoadedModule {
    CString name;
    DLLENTRY entry;
    std::unique_ptr<HINSTANCE__> handle;
};

std::vector<LoadedModule>& Modules() {
    static std::vector<LoadedModule> modules;
    return modules;
}

// The application's own module handle.
HINSTANCE__ g_application{};

} // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
    static AFX_MODULE_STATE* state = [] {
        auto* s = new AFX_MODULE_STATE;
        s->m_hCurrentInstanceHandle = s->m_hCurrentResourceHandle = &g_application;
        return s;
    }();
    return state;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE instance) {
    if (module.bInitialized) return TRUE;
    module.hModule = instance;
    module.hResource = instance;
    module.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL) {
    auto& list = AfxGetModuleState()->m_libraryList;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION at = pos;
        CDynLinkLibrary* lib = list.GetNext(pos);
        if (lib->m_hModule == module.hModule) {
            list.RemoveAt(at);
            lib->m_hModule = nullptr; // already unlinked: its destructor has nothing to do
            delete lib;
        }
    }
    module.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& module)
    : m_hModule(module.hModule), m_hResource(module.hResource), m_pClasses(module.pClasses) {
    AfxGetModuleState()->m_libraryList.AddTail(this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& list = AfxGetModuleState()->m_libraryList;
    if (POSITION pos = list.Find(this)) list.RemoveAt(pos);
}

const CRuntimeClass* AfxFindRuntimeClass(LPCSTR className) {
    for (CDynLinkLibrary* lib : AfxGetModuleState()->m_libraryList)
        for (auto p = lib->m_pClasses; p && *p; ++p)
            if (std::strcmp((*p)->m_lpszClassName, className) == 0) return *p;
    return nullptr;
}

HMODULE LoadLinkedLibrary(LPCWSTR name, DLLENTRY entry) {
    if (!entry) return nullptr;
    auto handle = std::make_unique<HINSTANCE__>();
    HMODULE h = handle.get();
    if (!entry(h, DLL_PROCESS_ATTACH, nullptr)) return nullptr;
    Modules().push_back({CString(name), entry, std::move(handle)});
    return h;
}

BOOL FreeLibrary(HMODULE module) {
    auto& modules = Modules();
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        if (it->handle.get() == module) {
            it->entry(module, DLL_PROCESS_DETACH, nullptr);
            modules.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}
