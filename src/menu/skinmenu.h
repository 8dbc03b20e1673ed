// CSkinMenu: a popup menu whose items the library draws itself.
//
// Every item appended through the class is owner-drawn and carries a record (text and three
// image indices) that the menu owns. Items are painted with the menu's colours, an optional
// background bitmap (the background of the whole popup, copied at the item's own coordinates),
// an optional image list of 16-pixel images, image indices for checked and radio-checked items
// (or drawn check marks and radio bullets), and an optional font. Three looks, chosen at
// construction:
//
//   type 1  text from x 14, no images for unchecked items, small marks (the drop list's popup)
//   type 2  an image column, text from x 24, large marks
//   type 4  a 24-pixel edge strip in the edge colour, text from x 32, a framed selection, an
//           image shadow under the highlighted item, 1-pixel separators
//
// Any other type looks and measures like type 2.
//
// Items that did not come through this class (inserted with the platform's calls) are drawn
// and measured from their platform text, without images; their item data is never taken for
// a record. Records of removed items stay owned by the menu and are freed by DestroyMenu (or
// earlier, when appending finds that most records no longer have an item).
#pragma once

#include "platform/afx/imagelist.h"
#include "platform/afx/menu.h"
#include "platform/base/file.h"

#include <memory>
#include <unordered_map>

enum SkinMenuType {
    SKINMENU_TYPE1 = 1,
    SKINMENU_TYPE2 = 2,
    SKINMENU_TYPE4 = 4,
};

struct tagSKINMENUITEM {
    UINT nFlags = 0; // as the caller passed them, without MF_OWNERDRAW
    CString strText;
    int nImage = -1;
    int nSelectedImage = -1;
    int nDisabledImage = -1;    // also the shadow of type 4's highlighted image
    CBitmap* pBitmap = nullptr; // from the bitmap overload of AppendMenuW; not drawn, not owned
};

class CSkinMenu : public CMenu {
    DECLARE_DYNAMIC(CSkinMenu)
public:
    // The system's menu colours are read here; the platform menu is made by the owner
    // (CreatePopupMenu) before items are appended.
    explicit CSkinMenu(SkinMenuType type);
    // Frees the background bitmap, the image list, the font and the item records, and
    // destroys the platform menu.
    ~CSkinMenu() override;

    // Colours take effect the next time items are drawn.
    void SetBackgroundColor(COLORREF colour) { m_crBackground = colour; }
    void SetTextColor(COLORREF colour) { m_crText = colour; }
    void SetSelectedTextColor(COLORREF colour) { m_crSelectedText = colour; }
    void SetDisabledTextColor(COLORREF colour) { m_crDisabledText = colour; }
    void SetSelectionColor(COLORREF colour) { m_crSelection = colour; }
    void SetSelectionBorderColor(COLORREF colour) { m_crSelectionBorder = colour; }
    // Type 4's strip; separators of type 4 are drawn in it darkened by 40 per channel (modulo
    // 256, so a channel below 40 wraps around).
    void SetEdgeColor(COLORREF colour) { m_crEdge = colour; }

    // Objects handed in belong to the menu from then on; null changes nothing. Every loading
    // overload keeps the current object when loading fails.
    void SetBackground(CBitmap* bitmap);
    BOOL SetBackground(UINT resourceId);
    // A bitmap file ("BM"), read from the file's current start.
    BOOL SetBackground(CFile& file);
    BOOL SetBackground(const CString& path);

    void SetImageList(CImageList* list);
    BOOL SetImageList(UINT resourceId, COLORREF mask);
    // 16 x 16 images cut from bitmap (which stays the caller's); pixels of mask are transparent.
    BOOL SetImageList(CBitmap* bitmap, COLORREF mask);
    // A strip of 16 x 16 images in a bitmap file; its top-left pixel's colour is transparent.
    BOOL SetImageList(CFile& file);
    BOOL SetImageList(const CString& path);

    void SetFont(CFont* font);
    BOOL SetFont(const LOGFONTW* font);

    // Image indices for checked (normal, highlighted, grayed) and radio-checked items; -1 draws
    // the check mark or radio bullet instead.
    void SetCheckImages(int normal, int selected, int disabled);
    void SetRadioImages(int normal, int selected, int disabled);

    // Appends an owner-drawn item with the caller's flags (MF_SEPARATOR, MF_GRAYED,
    // MF_CHECKED, ...); 1 on success, 0 when the platform refuses the item.
    BOOL AppendMenuW(UINT flags, UINT_PTR id, LPCWSTR text, int image = -1, int selectedImage = -1,
                     int disabledImage = -1);
    // The same with an empty text; the bitmap is kept in the record, not drawn.
    BOOL AppendMenuW(UINT flags, UINT_PTR id, CBitmap* bitmap, int image = -1,
                     int selectedImage = -1, int disabledImage = -1);
    // Items are not modified in place: both return 0 and change nothing.
    BOOL ModifyMenu(UINT flags, UINT_PTR id, LPCWSTR text, int image = -1, int selectedImage = -1,
                    int disabledImage = -1);
    BOOL ModifyMenu(UINT flags, UINT_PTR id, CBitmap* bitmap, int image = -1,
                    int selectedImage = -1, int disabledImage = -1);

    // Frees every item record, then destroys the platform menu.
    BOOL DestroyMenu();
    // The item's text (by position with MF_BYPOSITION, else by command): 1, or 0 with an empty
    // text when there is no such item.
    int GetMenuString(UINT item, CString& text, UINT flags);

    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

private:
    struct Metrics;
    const Metrics& TypeMetrics() const;
    bool IsType4() const { return m_nType == SKINMENU_TYPE4; }
    // The record behind an item, or, for a foreign item, one filled in from the platform.
    const tagSKINMENUITEM* ItemRecord(ULONG_PTR data, UINT id, tagSKINMENUITEM* scratch);
    BOOL Append(UINT flags, UINT_PTR id, LPCWSTR text, CBitmap* bitmap, const int images[3]);
    void ForgetRemovedItems();
    SIZE TextExtent(const CString& text) const;
    void DrawBackground(HDC dc, const RECT& r, bool highlighted) const;
    void DrawSeparator(HDC dc, const RECT& r) const;
    void DrawImageOrMark(HDC dc, const RECT& r, const tagSKINMENUITEM& item, UINT state, bool radio,
                         COLORREF ink) const;
    void DrawImage(HDC dc, int index, int x, int y) const;
    void DrawLabel(HDC dc, RECT r, const CString& text, COLORREF ink) const;

    COLORREF m_crBackground;
    COLORREF m_crText;
    COLORREF m_crSelectedText;
    COLORREF m_crDisabledText;
    COLORREF m_crSelection;
    COLORREF m_crSelectionBorder;
    COLORREF m_crEdge;
    std::unique_ptr<CBitmap> m_pBackground;
    std::unique_ptr<CImageList> m_pImageList;
    std::unique_ptr<CFont> m_pFont;
    SkinMenuType m_nType;
    int m_nCheckImages[3] = {-1, -1, -1};
    int m_nRadioImages[3] = {-1, -1, -1};
    std::unordered_map<ULONG_PTR, std::unique_ptr<tagSKINMENUITEM>> m_records;
};
