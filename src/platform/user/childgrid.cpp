#include "platform/user/childgrid.h"

#include "platform/user/wndobj.h"

#include <algorithm>

namespace user {
namespace {

constexpr LONG kCellSize = 16; // about the smallest controls
constexpr LONG kMaxCells = 64; // per axis; larger areas get larger cells
// Parents with fewer children are searched in a plain loop.
constexpr size_t kGridFrom = 16;

uint64_t g_collectMark = 0;
uint64_t g_childRectsSerial = 0;

LONG CellLength(LONG length) {
    return std::max(kCellSize, (length + kMaxCells - 1) / kMaxCells);
}

// The cell of a coordinate, clamped into [0, count).
LONG CellOf(LONG v, LONG cell, int count) {
    return v < 0 ? 0 : std::min<LONG>(v / cell, count - 1);
}

ChildGrid* GridOf(const Window* parent) {
    auto* p = const_cast<Window*>(parent);
    if (p->children.size() < kGridFrom) {
        p->grid.reset();
        return nullptr;
    }
    RECT client = ClientRectInWindow(p);
    SIZE area = {client.right - client.left, client.bottom - client.top};
    if (!p->grid || p->grid->Area().cx != area.cx || p->grid->Area().cy != area.cy)
        p->grid = std::make_unique<ChildGrid>(area, p->children);
    return p->grid.get();
}

} // namespace

ChildGrid::ChildGrid(SIZE area, const std::vector<Window*>& children)
    : m_area(area), m_cellWidth(CellLength(std::max<LONG>(area.cx, 1))),
      m_cellHeight(CellLength(std::max<LONG>(area.cy, 1))),
      m_cols((std::max<LONG>(area.cx, 1) + m_cellWidth - 1) / m_cellWidth),
      m_rows((std::max<LONG>(area.cy, 1) + m_cellHeight - 1) / m_cellHeight),
      m_cells(size_t(m_cols) * size_t(m_rows)) {
    for (Window* c : children)
        Insert(c);
}

RECT ChildGrid::Cells(const RECT& r) const {
    if (r.left >= r.right || r.top >= r.bottom) return RECT{};
    return RECT{CellOf(r.left, m_cellWidth, m_cols), CellOf(r.top, m_cellHeight, m_rows),
                CellOf(r.right - 1, m_cellWidth, m_cols) + 1,
                CellOf(r.bottom - 1, m_cellHeight, m_rows) + 1};
}

void ChildGrid::Insert(Window* w) {
    w->gridCells = Cells(w->rect);
    const RECT& c = w->gridCells;
    for (LONG row = c.top; row < c.bottom; ++row)
        for (LONG col = c.left; col < c.right; ++col)
            Cell(col, row).push_back(w);
}

void ChildGrid::Remove(Window* w) {
    const RECT& c = w->gridCells;
    for (LONG row = c.top; row < c.bottom; ++row) {
        for (LONG col = c.left; col < c.right; ++col) {
            std::vector<Window*>& cell = Cell(col, row);
            auto it = std::find(cell.begin(), cell.end(), w);
            if (it == cell.end()) continue;
            *it = cell.back();
            cell.pop_back();
        }
    }
    w->gridCells = RECT{};
}

void ChildGrid::Collect(const RECT& rect, std::vector<Window*>* out) const {
    RECT c = Cells(rect);
    uint64_t mark = ++g_collectMark;
    for (LONG row = c.top; row < c.bottom; ++row) {
        for (LONG col = c.left; col < c.right; ++col) {
            for (Window* w : m_cells[size_t(row) * m_cols + col]) {
                if (w->gridMark == mark) continue;
                w->gridMark = mark;
                out->push_back(w);
            }
        }
    }
}

void FindChildrenNear(const Window* parent, const RECT& screenRect, int64_t limit,
                      std::vector<Window*>* out) {
    POINT origin = ClientOrigin(parent);
    RECT r = Shifted(screenRect, -origin.x, -origin.y);
    auto wanted = [&r, limit](const Window* c) {
        return c->z < limit && (c->style & WS_VISIBLE) && RectsOverlap(c->rect, r);
    };
    // A few children above a place are fewer than the grid would offer.
    const auto& children = parent->children;
    bool few = children.size() < kGridFrom || children[kGridFrom - 1]->z >= limit;
    const ChildGrid* grid = few ? nullptr : GridOf(parent);
    if (!grid) {
        for (Window* c : children) {
            if (c->z >= limit) break; // the children lie in key order
            if (wanted(c)) out->push_back(c);
        }
        return;
    }
    // The candidates go to storage kept from call to call; most searches keep none of them.
    static std::vector<Window*> candidates;
    candidates.clear();
    grid->Collect(r, &candidates);
    size_t first = out->size();
    for (Window* c : candidates)
        if (wanted(c)) out->push_back(c);
    std::sort(out->begin() + std::ptrdiff_t(first), out->end(),
              [](const Window* a, const Window* b) { return a->z < b->z; });
}

void ChildrenMeeting(const Window* parent, const RECT& rect, std::vector<Window*>* out) {
    const ChildGrid* grid = GridOf(parent);
    if (!grid) {
        for (Window* c : parent->children)
            if (RectsOverlap(c->rect, rect)) out->push_back(c);
        return;
    }
    size_t first = out->size();
    grid->Collect(rect, out);
    out->erase(std::remove_if(out->begin() + std::ptrdiff_t(first), out->end(),
                              [&rect](const Window* c) { return !RectsOverlap(c->rect, rect); }),
               out->end());
}

const std::vector<Window*>& SiblingsMeeting(const Window* w) {
    if (w->meetingSerial != w->parent->childRectsSerial) {
        w->meeting.clear();
        ChildrenMeeting(w->parent, w->rect, &w->meeting);
        w->meetingSerial = w->parent->childRectsSerial;
    }
    return w->meeting;
}

void ListInGrid(Window* w) {
    if (!w->parent) return;
    w->parent->childRectsSerial = ++g_childRectsSerial;
    if (w->parent->grid) w->parent->grid->Insert(w);
}

void UnlistFromGrid(Window* w) {
    if (!w->parent) return;
    w->parent->childRectsSerial = ++g_childRectsSerial;
    if (w->parent->grid) w->parent->grid->Remove(w);
}

} // namespace user
