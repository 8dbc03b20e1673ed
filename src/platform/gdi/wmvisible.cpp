#include "platform/gdi/wmvisible.h"

#include "platform/gdi/types.h"

BOOL GdiSetDCVisiblePixRegion(HDC hdc, const gdi::PixRegion& screenRegion) {
    gdi::DeviceContext* dc = gdi::DC(hdc);
    if (!dc || !dc->screen) return FALSE;
    dc->visible = screenRegion;
    dc->visibleSource = nullptr;
    dc->InvalidateClip();
    return TRUE;
}

BOOL GdiSetDCVisibleSource(HDC hdc, std::function<gdi::PixRegion()> source) {
    gdi::DeviceContext* dc = gdi::DC(hdc);
    if (!dc || !dc->screen) return FALSE;
    dc->visibleSource = std::move(source);
    dc->InvalidateClip();
    return TRUE;
}
