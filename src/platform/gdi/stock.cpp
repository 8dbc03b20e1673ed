// Pens, brushes, stock objects, and the calls common to every object kind.
#include "platform/gdi/types.h"

#include "platform/base/wcsrt.h"

#include <cstring>

namespace gdi {

static HBRUSH NewBrush(bool hollow, COLORREF colour) {
    auto object = std::make_unique<BrushObject>();
    object->hollow = hollow;
    object->colour = colour & 0x00FFFFFF;
    return ToHandle<HBRUSH>(Register(std::move(object)));
}

static HPEN NewPen(int style, int width, COLORREF colour) {
    auto object = std::make_unique<PenObject>();
    object->style = style;
    object->width = width < 1 ? 1 : width;
    object->colour = colour & 0x00FFFFFF;
    return ToHandle<HPEN>(Register(std::move(object)));
}

static HFONT NewStockFont(const char16_t* face) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

static void* Stock(void* handle) {
    MakeStock(handle);
    return handle;
}

static void* const* StockTable() {
    static void* table[DEFAULT_GUI_FONT + 1] = {};
    static bool made = false;
    if (made) return table;
    made = true;
    table[WHITE_BRUSH] = Stock(NewBrush(false, RGB(255, 255, 255)));
    table[LTGRAY_BRUSH] = Stock(NewBrush(false, RGB(192, 192, 192)));
    table[GRAY_BRUSH] = Stock(NewBrush(false, RGB(128, 128, 128)));
    table[DKGRAY_BRUSH] = Stock(NewBrush(false, RGB(64, 64, 64)));
    table[BLACK_BRUSH] = Stock(NewBrush(false, RGB(0, 0, 0)));
    table[NULL_BRUSH] = Stock(NewBrush(true, 0));
    table[WHITE_PEN] = Stock(NewPen(PS_SOLID, 1, RGB(255, 255, 255)));
    table[BLACK_PEN] = Stock(NewPen(PS_SOLID, 1, RGB(0, 0, 0)));
    table[NULL_PEN] = Stock(NewPen(PS_NULL, 1, 0));
    void* sans = Stock(NewStockFont(u"DejaVu Sans"));
    void* mono = Stock(NewStockFont(u"DejaVu Sans Mono"));
    for (int i : {ANSI_VAR_FONT, SYSTEM_FONT, DEVICE_DEFAULT_FONT, DEFAULT_GUI_FONT})
        table[i] = sans;
    for (int i : {OEM_FIXED_FONT, ANSI_FIXED_FONT, SYSTEM_FIXED_FONT})
        table[i] = mono;
    return table;
}

std::optional<COLORREF> BrushColour(HBRUSH brush, bool sysIndex) {
    uintptr_t value = reinterpret_cast<uintptr_t>(brush);
    if (sysIndex && value >= 1 && value <= SK_SYSCOLOR_COUNT) return GetSysColor(int(value - 1));
    auto* b = As<BrushObject>(brush);
    if (!b || b->hollow) return std::nullopt;
    return b->colour;
}

} // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int object) {
    if (object < 0 || object > DEFAULT_GUI_FONT) return nullptr;
    return StockTable()[object];
}

HBRUSH CreateSolidBrush(COLORREF colour) {
    return NewBrush(false, colour);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    if (brush->lbStyle == BS_NULL) return NewBrush(true, 0);
    return brush->lbStyle == BS_SOLID ? NewBrush(false, brush->lbColor) : nullptr;
}

HPEN CreatePen(int style, int width, COLORREF colour) {
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL)
        return nullptr;
    return NewPen(style, width, colour);
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    return pen ? CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor) : nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    GdiObject* o = LookupAny(object);
    if (!o) return FALSE;
    switch (o->kind) {
    case Kind::Bitmap:
    case Kind::Brush:
    case Kind::Pen:
    case Kind::Font:
    case Kind::Region:
        break;
    default:
        return FALSE; // contexts, icons and image lists have calls of their own
    }
    if (o->stock) return TRUE;
    if (o->selections > 0) return FALSE;
    return Destroy(object);
}

template <class T> static int Copy(const T& value, int size, void* buffer) {
    if (!buffer) return int(sizeof(T));
    if (size < int(sizeof(T))) return 0;
    std::memcpy(buffer, &value, sizeof(T));
    return int(sizeof(T));
}

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
    GdiObject* o = LookupAny(object);
    if (!o) return 0;
    switch (o->kind) {
    case Kind::Bitmap:
        return GetBitmapObject(object, size, buffer);
    case Kind::Font:
        return GetFontObject(object, size, buffer);
    case Kind::Brush: {
        auto* b = static_cast<BrushObject*>(o);
        LOGBRUSH lb{b->hollow ? UINT(BS_NULL) : UINT(BS_SOLID), b->colour, 0};
        return Copy(lb, size, buffer);
    }
    case Kind::Pen: {
        auto* p = static_cast<PenObject*>(o);
        LOGPEN lp{UINT(p->style), POINT{p->width, 0}, p->colour};
        return Copy(lp, size, buffer);
    }
    default:
        return 0;
    }
}

DWORD GetObjectType(HGDIOBJ object) {
    GdiObject* o = LookupAny(object);
    if (!o) return 0;
    switch (o->kind) {
    case Kind::Bitmap:
        return OBJ_BITMAP;
    case Kind::Brush:
        return OBJ_BRUSH;
    case Kind::Pen:
        return OBJ_PEN;
    case Kind::Font:
        return OBJ_FONT;
    case Kind::Region:
        return OBJ_REGION;
    case Kind::DC:
        return static_cast<DeviceContext*>(o)->screen ? OBJ_DC : OBJ_MEMDC;
    default:
        return 0;
    }
}
