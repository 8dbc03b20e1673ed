// Regions are pixman regions: y-x banded lists of disjoint boxes (bands sorted top to bottom,
// boxes within a band left to right, vertically adjacent bands with equal spans merged). The
// device hands out region data in exactly this order, so no conversion is needed.
//
// Coordinates are kept within +-2^27, as on the device, so that no region arithmetic can
// overflow 32 bits.
#pragma once

#include "platform/gdi/gdidefs.h"

#include <pixman.h>

#include <span>

namespace gdi {

constexpr LONG kRegionLimit = LONG(1) << 27;

class PixRegion {
public:
    PixRegion() { pixman_region32_init(&m_r); }
    PixRegion(LONG left, LONG top, LONG right, LONG bottom);
    explicit PixRegion(const RECT& rect)
        : PixRegion(rect.left, rect.top, rect.right, rect.bottom) {}
    PixRegion(const PixRegion& other);
    PixRegion(PixRegion&& other) noexcept;
    PixRegion& operator=(const PixRegion& other);
    PixRegion& operator=(PixRegion&& other) noexcept;
    // Only data of a size of its own is freed (one rectangle and the empty region have none).
    ~PixRegion() {
        if (m_r.data && m_r.data->size) pixman_region32_fini(&m_r);
    }

    pixman_region32_t* get() { return &m_r; }
    const pixman_region32_t* get() const { return &m_r; }

    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Complexity() const;
    // A region of one rectangle keeps it in its extents alone, without data: the common case
    // (a bitmap's bounds, a window's rectangle) is answered here without a call into pixman.
    bool IsEmpty() const { return m_r.data && !m_r.data->numRects; }
    RECT Extents() const {
        if (IsEmpty()) return RECT{0, 0, 0, 0};
        return RECT{m_r.extents.x1, m_r.extents.y1, m_r.extents.x2, m_r.extents.y2};
    }
    std::span<const pixman_box32_t> Boxes() const {
        if (!m_r.data) return {&m_r.extents, 1};
        return BandedBoxes();
    }
    bool Contains(int x, int y) const;
    bool Overlaps(const RECT& rect) const;
    bool Equals(const PixRegion& other) const;

    void SetRect(LONG left, LONG top, LONG right, LONG bottom);
    void SetEmpty() { SetRect(0, 0, 0, 0); }
    // The rectangle (0, 0, width, height) of a surface's size (positive and within the limits).
    void SetSize(int width, int height);
    void Intersect(const PixRegion& other);
    void IntersectRect(const RECT& rect);
    void Union(const PixRegion& other);
    void Subtract(const PixRegion& other);
    void Xor(const PixRegion& other);
    void Translate(int dx, int dy);
    // Builds the union of count rectangles in one step (empty rectangles are skipped).
    void SetRects(const RECT* rects, size_t count);

private:
    std::span<const pixman_box32_t> BandedBoxes() const;

    pixman_region32_t m_r;
};

// Normalises a rectangle (left <= right, top <= bottom) and clamps it to the region limits.
RECT ClampRect(LONG left, LONG top, LONG right, LONG bottom);

} // namespace gdi
