// The tree view's items: a hierarchy with the bookkeeping that keeps every question the view
// asks about rows cheap however many items there are.
//
// Invariants:
//  - rows = 1 + (expanded ? childRows : 0), and childRows = the sum of the children's rows,
//    for every item; the hidden root counts as always expanded, so root.rows - 1 is the number
//    of rows the whole tree shows. Expanding, collapsing, inserting or removing changes these
//    along the parent chain only (as far as it is expanded).
//  - Siblings carry increasing keys, so the order of any two items is decided by climbing to
//    their common parent (depth steps), never by walking the siblings between them.
// Handles are generation-checked: a stale handle, or one of another tree, finds nothing.
#pragma once

#include "platform/base/cstring.h"
#include "platform/commctrl/commctrl.h"

#include <cstdint>
#include <vector>

namespace commctrl {

constexpr int kAutoChildren = -2; // whether an item has children follows its children

struct TreeNode {
    TreeNode* parent = nullptr;
    TreeNode* first = nullptr;
    TreeNode* last = nullptr;
    TreeNode* prev = nullptr;
    TreeNode* next = nullptr;
    int64_t key = 0;
    int rows = 1;
    int childRows = 0;
    int depth = 0;  // 0 for top-level items
    int width = -1; // the label text's width once measured
    CString text;
    int image = 0;
    int selectedImage = 0;
    LPARAM param = 0;
    UINT state = 0;
    int children = kAutoChildren; // or the count an application gave (0 or 1)
    HTREEITEM handle = nullptr;
    const void* owner = nullptr;
};

class TreeItems {
public:
    TreeItems();
    ~TreeItems();
    TreeItems(const TreeItems&) = delete;
    TreeItems& operator=(const TreeItems&) = delete;

    TreeNode* Root() { return &m_root; }
    const TreeNode* Root() const { return &m_root; }
    // The item behind a handle of this tree, or null.
    TreeNode* Find(HTREEITEM handle) const;
    size_t Count() const { return m_count; }
    int TotalRows() const { return m_root.rows - 1; }

    // A new item under parent after the sibling after (null: first); null when out of handles.
    TreeNode* Insert(TreeNode* parent, TreeNode* after);
    // Removes an item with everything below it.
    void Remove(TreeNode* node);
    void SetExpanded(TreeNode* node, bool expanded);
    static bool Expanded(const TreeNode* node);
    static bool IsAncestor(const TreeNode* ancestor, const TreeNode* node); // strictly above

    // Shown: every item above it is expanded (it has a row, on screen or not).
    bool IsShown(const TreeNode* node) const;
    // True when a's row comes before b's.
    bool Before(const TreeNode* a, const TreeNode* b) const;
    TreeNode* FirstShown() const { return m_root.first; }
    TreeNode* LastShown() const;
    TreeNode* NextShown(const TreeNode* node) const;
    TreeNode* PrevShown(const TreeNode* node) const;
    // The first row after the item and everything shown below it.
    TreeNode* NextAfterSubtree(const TreeNode* node) const;
    // Row numbers of shown items, from the top of the tree: depth times siblings.
    int IndexOf(const TreeNode* node) const;
    TreeNode* AtIndex(int row) const;
    // The item's handle and those of everything below it, children before their parents.
    void CollectSubtree(TreeNode* node, std::vector<HTREEITEM>* out) const;

private:
    void RowsChanged(TreeNode* node, int delta);
    void Renumber(TreeNode* parent);

    TreeNode m_root;
    size_t m_count = 0;
};

} // namespace commctrl
