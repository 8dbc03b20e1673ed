// Which of a window's children lie where: a coarse grid over the parent's client area whose
// cells list the children whose rectangles reach them. A screen of many small controls would
// otherwise make every exposure, every visible region and every paint walk all the siblings;
// with the grid they visit only the siblings near the area in question.
//
// A rectangle reaching outside the grid is clamped into the edge cells: it is still found by
// every area it overlaps, only less sharply. Empty rectangles overlap nothing and are not
// listed.
#pragma once

#include "platform/gdi/gdidefs.h"

#include <vector>

namespace user {

struct Window;

class ChildGrid {
public:
    // A grid over an area of the given size, listing the children.
    ChildGrid(SIZE area, const std::vector<Window*>& children);

    SIZE Area() const { return m_area; }
    // Lists or unlists a child under its rectangle (w->rect, parent client coordinates); a
    // child must be unlisted before its rectangle changes and listed again after.
    void Insert(Window* w);
    void Remove(Window* w);
    // Every listed child whose rectangle may overlap rect, once each, in no particular order.
    void Collect(const RECT& rect, std::vector<Window*>* out) const;

private:
    // The cells under a rectangle: [left, right) x [top, bottom) in cell units.
    RECT Cells(const RECT& rect) const;
    std::vector<Window*>& Cell(LONG col, LONG row) { return m_cells[size_t(row) * m_cols + col]; }

    SIZE m_area;
    int m_cellWidth, m_cellHeight;
    int m_cols, m_rows;
    std::vector<std::vector<Window*>> m_cells;
};

} // namespace user
