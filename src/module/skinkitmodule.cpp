#include "module/skinkitmodule.h"

#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skinimage.h"
#include "controls/skinlistctrl.h"
#include "controls/skinobject.h"
#include "controls/skinradiobutton.h"
#include "controls/skinradiogroup.h"
#include "controls/skinscrollbar.h"
#include "controls/skinscrolllist.h"
#include "controls/skinslider.h"
#include "controls/skinstatic.h"
#include "controls/skinwindow.h"
#include "menu/skinmenu.h"

namespace {

AFX_EXTENSION_MODULE g_skinkitModule;

// The library's run-time classes, made known to the application while the library is loaded.
const CRuntimeClass* const g_classes[] = {
    RUNTIME_CLASS(CSkinObject),      RUNTIME_CLASS(CSkinWindow),
    RUNTIME_CLASS(CSkinButton),      RUNTIME_CLASS(CSkinCheckBox),
    RUNTIME_CLASS(CSkinRadioButton), RUNTIME_CLASS(CSkinRadioGroup),
    RUNTIME_CLASS(CSkinStatic),      RUNTIME_CLASS(CSkinImage),
    RUNTIME_CLASS(CSkinSlider),      RUNTIME_CLASS(CSkinScrollBar),
    RUNTIME_CLASS(CSkinScrollList),  RUNTIME_CLASS(CSkinListCtrl),
    RUNTIME_CLASS(CSkinMenu),        nullptr};

} // namespace

BOOL SkinkitEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_skinkitModule.pClasses = g_classes;
        if (!AfxInitExtensionModule(g_skinkitModule, instance)) return FALSE;
        new CDynLinkLibrary(g_skinkitModule); // owned by the module state's library chain
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_skinkitModule);
    }
    return TRUE;
}
