// CImageList and its handle map.
#include "platform/afx/imagelist.h"

#include "platform/afx/handlemap.h"
#include "platform/base/module.h"
#include "platform/user/winuser.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

static CHandleMap<CImageList>& Map() {
    static auto* map = new CHandleMap<CImageList>;
    return *map;
}

CImageList* CImageList::FromHandle(HIMAGELIST list) {
    return Map().FromHandle(list, [&] {
        auto* wrapper = new CImageList;
        wrapper->m_hImageList = list;
        return wrapper;
    });
}

void CImageList::DeleteTempMap() {
    Map().DeleteTemp([](CImageList* wrapper) { wrapper->m_hImageList = nullptr; });
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (m_hImageList) return FALSE;
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    if (m_hImageList || cx <= 0) return FALSE;
    HBITMAP bitmap = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(bitmapId));
    BITMAP bm = {};
    if (!bitmap || !::GetObject(bitmap, sizeof bm, &bm)) return FALSE;
    bool masked = mask != CLR_NONE;
    HIMAGELIST list = ImageList_Create(cx, bm.bmHeight, masked ? ILC_MASK : ILC_COLOR, 0, grow);
    int first = !list    ? -1
                : masked ? ImageList_AddMasked(list, bitmap, mask)
                         : ImageList_Add(list, bitmap, nullptr);
    ::DeleteObject(bitmap);
    if (first < 0) {
        if (list) ImageList_Destroy(list);
        return FALSE;
    }
    return Attach(list);
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (!list || m_hImageList) return FALSE;
    m_hImageList = list;
    Map().SetPermanent(list, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    if (list) Map().RemoveHandle(list, this);
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* image, CBitmap* mask) {
    return ImageList_Add(m_hImageList, image ? HBITMAP(*image) : nullptr,
                         mask ? HBITMAP(*mask) : nullptr);
}

int CImageList::Add(CBitmap* image, COLORREF mask) {
    return ImageList_AddMasked(m_hImageList, image ? HBITMAP(*image) : nullptr, mask);
}

BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
    return ImageList_Replace(m_hImageList, index, image ? HBITMAP(*image) : nullptr,
                             mask ? HBITMAP(*mask) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int index, POINT p, UINT style) {
    return ImageList_Draw(m_hImageList, index, dc ? dc->m_hDC : nullptr, p.x, p.y, style);
}
