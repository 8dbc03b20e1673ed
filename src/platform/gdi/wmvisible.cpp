#include "platform/gdi/wmvisible.h"

#include "platform/gdi/types.h"

BOOL GdiSetDCVisiblePixRegion(HDC hdc, const gdi::PixRegion& screenRegion) {
    gdi::DeviceContext* dc = gdi::DC(hdc);
    if (!dc || !dc->screen) return FALSE;
    dc->visible = screenRegion;
    dc->InvalidateClip();
    return TRUE;
}
