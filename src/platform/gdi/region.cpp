// Region arithmetic on pixman regions, and the platform's region calls.
#include "platform/gdi/region.h"

#include "platform/gdi/gdidevice.h"
#include "platform/gdi/types.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstddef>
#include <cstring>
#include <vector>

namespace gdi {

static LONG Clamp(LONG v) {
    return std::clamp(v, -kRegionLimit, kRegionLimit);
}

RECT ClampRect(LONG left, LONG top, LONG right, LONG bottom) {
    RECT r{Clamp(std::min(left, right)), Clamp(std::min(top, bottom)), Clamp(std::max(left, right)),
           Clamp(std::max(top, bottom))};
    return r;
}

PixRegion::PixRegion(LONG left, LONG top, LONG right, LONG bottom) {
    pixman_region32_init(&m_r);
    SetRect(left, top, right, bottom);
}

PixRegion::PixRegion(const PixRegion& other) {
    pixman_region32_init(&m_r);
    pixman_region32_copy(&m_r, const_cast<pixman_region32_t*>(&other.m_r));
}

PixRegion::PixRegion(PixRegion&& other) noexcept : PixRegion() {
    std::swap(m_r, other.m_r);
}

PixRegion& PixRegion::operator=(const PixRegion& other) {
    if (this != &other) pixman_region32_copy(&m_r, const_cast<pixman_region32_t*>(&other.m_r));
    return *this;
}

PixRegion& PixRegion::operator=(PixRegion&& other) noexcept {
    std::swap(m_r, other.m_r);
    return *this;
}

int PixRegion::Complexity() const {
    int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&m_r));
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::span<const pixman_box32_t> PixRegion::BandedBoxes() const {
    int n = 0;
    const pixman_box32_t* boxes =
        pixman_region32_rectangles(const_cast<pixman_region32_t*>(&m_r), &n);
    return {boxes, size_t(n)};
}

bool PixRegion::Contains(int x, int y) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&m_r), x, y, nullptr);
}

bool PixRegion::Overlaps(const RECT& rect) const {
    RECT r = ClampRect(rect.left, rect.top, rect.right, rect.bottom);
    if (r.left == r.right || r.top == r.bottom) return false;
    pixman_box32_t box{r.left, r.top, r.right, r.bottom};
    return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&m_r), &box) !=
           PIXMAN_REGION_OUT;
}

bool PixRegion::Equals(const PixRegion& other) const {
    if (IsEmpty() && other.IsEmpty()) return true;
    return pixman_region32_equal(const_cast<pixman_region32_t*>(&m_r),
                                 const_cast<pixman_region32_t*>(&other.m_r));
}

void PixRegion::SetRect(LONG left, LONG top, LONG right, LONG bottom) {
    RECT r = ClampRect(left, top, right, bottom);
    pixman_region32_fini(&m_r);
    if (r.left == r.right || r.top == r.bottom) {
        pixman_region32_init(&m_r);
        return;
    }
    pixman_box32_t box{r.left, r.top, r.right, r.bottom};
    pixman_region32_init_with_extents(&m_r, &box);
}

void PixRegion::SetSize(int width, int height) {
    // A region of one rectangle keeps it in its extents alone (no data).
    const pixman_box32_t& e = m_r.extents;
    if (!m_r.data && e.x1 == 0 && e.y1 == 0 && e.x2 == width && e.y2 == height) return;
    pixman_region32_fini(&m_r);
    pixman_region32_init_rect(&m_r, 0, 0, unsigned(width), unsigned(height));
}

void PixRegion::Intersect(const PixRegion& other) {
    pixman_region32_intersect(&m_r, &m_r, const_cast<pixman_region32_t*>(&other.m_r));
}

void PixRegion::IntersectRect(const RECT& rect) {
    RECT r = ClampRect(rect.left, rect.top, rect.right, rect.bottom);
    if (r.left == r.right || r.top == r.bottom) {
        SetEmpty();
        return;
    }
    pixman_region32_intersect_rect(&m_r, &m_r, r.left, r.top, unsigned(r.right - r.left),
                                   unsigned(r.bottom - r.top));
}

void PixRegion::Union(const PixRegion& other) {
    pixman_region32_union(&m_r, &m_r, const_cast<pixman_region32_t*>(&other.m_r));
}

void PixRegion::Subtract(const PixRegion& other) {
    pixman_region32_subtract(&m_r, &m_r, const_cast<pixman_region32_t*>(&other.m_r));
}

void PixRegion::Xor(const PixRegion& other) {
    PixRegion onlyOther(other);
    onlyOther.Subtract(*this);
    Subtract(other);
    Union(onlyOther);
}

void PixRegion::Translate(int dx, int dy) {
    if (IsEmpty()) return;
    RECT e = Extents();
    // Keep the region inside the coordinate limits; what would cross them is cut away.
    dx = int(std::clamp<int64_t>(dx, -3 * int64_t(kRegionLimit), 3 * int64_t(kRegionLimit)));
    dy = int(std::clamp<int64_t>(dy, -3 * int64_t(kRegionLimit), 3 * int64_t(kRegionLimit)));
    pixman_region32_translate(&m_r, dx, dy);
    if (e.left + int64_t(dx) < -kRegionLimit || e.right + int64_t(dx) > kRegionLimit ||
        e.top + int64_t(dy) < -kRegionLimit || e.bottom + int64_t(dy) > kRegionLimit)
        IntersectRect(RECT{-kRegionLimit, -kRegionLimit, kRegionLimit, kRegionLimit});
}

// A rectangle pixman can take as it is: ordered, not empty and within the region limits.
// Whether pixman can take every rectangle as it is: ordered, not empty, within the limits.
static bool AllProper(const RECT* rects, size_t count) {
    size_t i = 0;
    bool proper = true;
#if defined(__SSE2__)
    // A rectangle at a time as four lanes: within the limits, and left < right, top < bottom.
    const __m128i below = _mm_set1_epi32(-kRegionLimit - 1),
                  above = _mm_set1_epi32(kRegionLimit + 1);
    __m128i ok = _mm_set1_epi32(-1);
    for (; i < count; ++i) {
        __m128i r = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rects + i));
        __m128i ends = _mm_shuffle_epi32(r, _MM_SHUFFLE(1, 0, 3, 2)); // right, bottom, left, top
        __m128i inside = _mm_and_si128(_mm_cmpgt_epi32(r, below), _mm_cmplt_epi32(r, above));
        ok = _mm_and_si128(ok, _mm_and_si128(inside, _mm_unpacklo_epi64(_mm_cmplt_epi32(r, ends),
                                                                        _mm_set1_epi32(-1))));
    }
    proper = _mm_movemask_epi8(ok) == 0xFFFF;
#endif
    for (; i < count; ++i) {
        const RECT& r = rects[i];
        proper &= (-kRegionLimit <= r.left) & (r.left < r.right) & (r.right <= kRegionLimit) &
                  (-kRegionLimit <= r.top) & (r.top < r.bottom) & (r.bottom <= kRegionLimit);
    }
    return proper;
}

void PixRegion::SetRects(const RECT* rects, size_t count) {
    static_assert(sizeof(RECT) == sizeof(pixman_box32_t) && offsetof(RECT, left) == 0 &&
                      offsetof(RECT, bottom) == offsetof(pixman_box32_t, y2),
                  "a RECT is laid out as a pixman box");
    std::vector<pixman_box32_t> mended;
    const auto* boxes = reinterpret_cast<const pixman_box32_t*>(rects);
    if (!AllProper(rects, count)) {
        // Rectangles from callers may be reversed, empty or out of range: mend them first.
        mended.reserve(count);
        for (size_t i = 0; i < count; ++i) {
            RECT r = ClampRect(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
            if (r.left < r.right && r.top < r.bottom)
                mended.push_back({r.left, r.top, r.right, r.bottom});
        }
        boxes = mended.data(), count = mended.size();
    }
    pixman_region32_fini(&m_r);
    if (!pixman_region32_init_rects(&m_r, const_cast<pixman_box32_t*>(boxes), int(count)))
        pixman_region32_init(&m_r);
}

HRGN NewRegion(PixRegion region) {
    auto object = std::make_unique<RegionObject>();
    object->rgn = std::move(region);
    return ToHandle<HRGN>(Register(std::move(object)));
}

} // namespace gdi

using namespace gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return NewRegion(PixRegion(left, top, right, bottom));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN GdiCreateRegionFromRects(const RECT* rects, DWORD count) {
    if (!rects && count) return nullptr;
    PixRegion region;
    region.SetRects(rects, count);
    return NewRegion(std::move(region));
}

int CombineRgn(HRGN dest, HRGN source1, HRGN source2, int mode) {
    auto* d = As<RegionObject>(dest);
    auto* a = As<RegionObject>(source1);
    if (!d || !a) return ERROR;
    if (mode == RGN_COPY) {
        d->rgn = a->rgn;
        return d->rgn.Complexity();
    }
    auto* b = As<RegionObject>(source2);
    if (!b) return ERROR;
    PixRegion result = a->rgn;
    switch (mode) {
    case RGN_AND:
        result.Intersect(b->rgn);
        break;
    case RGN_OR:
        result.Union(b->rgn);
        break;
    case RGN_XOR:
        result.Xor(b->rgn);
        break;
    case RGN_DIFF:
        result.Subtract(b->rgn);
        break;
    default:
        return ERROR;
    }
    d->rgn = std::move(result);
    return d->rgn.Complexity();
}

int OffsetRgn(HRGN region, int dx, int dy) {
    auto* r = As<RegionObject>(region);
    if (!r) return ERROR;
    r->rgn.Translate(dx, dy);
    return r->rgn.Complexity();
}

BOOL PtInRegion(HRGN region, int x, int y) {
    auto* r = As<RegionObject>(region);
    return r && r->rgn.Contains(x, y);
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    auto* r = As<RegionObject>(region);
    return r && rect && r->rgn.Overlaps(*rect);
}

int GetRgnBox(HRGN region, LPRECT rect) {
    auto* r = As<RegionObject>(region);
    if (!r || !rect) return ERROR;
    *rect = r->rgn.Extents();
    return r->rgn.Complexity();
}

DWORD GetRegionData(HRGN region, DWORD count, LPRGNDATA data) {
    auto* r = As<RegionObject>(region);
    if (!r) return 0;
    auto boxes = r->rgn.Boxes();
    DWORD needed = DWORD(sizeof(RGNDATAHEADER) + boxes.size() * sizeof(RECT));
    if (!data) return needed;
    if (count < needed) return 0;
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(boxes.size());
    data->rdh.nRgnSize = DWORD(boxes.size() * sizeof(RECT));
    data->rdh.rcBound = r->rgn.Extents();
    auto* out = reinterpret_cast<BYTE*>(data) + sizeof(RGNDATAHEADER);
    for (const pixman_box32_t& box : boxes) {
        RECT rc{box.x1, box.y1, box.x2, box.y2};
        std::memcpy(out, &rc, sizeof rc);
        out += sizeof rc;
    }
    return count;
}

BOOL EqualRgn(HRGN region1, HRGN region2) {
    auto* a = As<RegionObject>(region1);
    auto* b = As<RegionObject>(region2);
    return a && b && a->rgn.Equals(b->rgn);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    auto* r = As<RegionObject>(region);
    if (!r) return FALSE;
    r->rgn.SetRect(left, top, right, bottom);
    return TRUE;
}
