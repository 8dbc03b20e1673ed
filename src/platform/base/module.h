// Modules: the application and the libraries it loads, and the framework's registration of
// extension libraries (whose run-time classes and resources become the application's).
//
// There is no dynamic loader on this host: an application "loads" a library it is linked with
// by handing its entry point to LoadLinkedLibrary, which runs it as the loader would.
#pragma once

#include "platform/base/collections.h"
#include "platform/base/object.h"

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1

typedef BOOL (*DLLENTRY)(HINSTANCE instance, DWORD reason, LPVOID reserved);

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
    // The library's run-time classes, null-terminated; set before AfxInitExtensionModule.
    const CRuntimeClass* const* pClasses = nullptr;
};

class CDynLinkLibrary;

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    LPCWSTR m_lpszCurrentAppName = u"";
    CListT<CDynLinkLibrary*> m_libraryList;
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, HMODULE instance);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module, BOOL all = FALSE);

// Joins an extension module to the application's chain of libraries for as long as it lives.
class CDynLinkLibrary : public CObject {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& module);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    const CRuntimeClass* const* m_pClasses;
};

// The run-time class of that name among the classes of the registered libraries, or null.
const CRuntimeClass* AfxFindRuntimeClass(LPCSTR className);

// Runs a linked library's entry with DLL_PROCESS_ATTACH under a fresh module handle; null when
// the entry refuses. FreeLibrary runs it with DLL_PROCESS_DETACH.
HMODULE LoadLinkedLibrary(LPCWSTR name, DLLENTRY entry);
BOOL FreeLibrary(HMODULE module);
