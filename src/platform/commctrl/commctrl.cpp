// Registering the common controls' window classes.
#include "platform/commctrl/listview.h"
#include "platform/commctrl/treeview.h"

namespace {

LRESULT ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return commctrl::Dispatch(hwnd, message, wParam, lParam, &commctrl::ListView::Make);
}

LRESULT TreeViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return commctrl::Dispatch(hwnd, message, wParam, lParam, &commctrl::TreeView::Make);
}

} // namespace

void InitCommonControls() {
    commctrl::RegisterControlClass(WC_LISTVIEW, &ListViewProc);
    commctrl::RegisterControlClass(WC_TREEVIEW, &TreeViewProc);
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
    if (!controls || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    InitCommonControls();
    return TRUE;
}
