// The tree view's items and their row bookkeeping.
#include "platform/commctrl/treeitems.h"

#include "platform/base/handletable.h"

#include <memory>

namespace commctrl {
namespace {

// Room between sibling keys, so that most inserts between two siblings need no renumbering.
constexpr int64_t kGap = int64_t(1) << 20;

// Every tree's items share one table, so that handles are unique across trees.
HandleTable<TreeNode>& Table() {
    static auto* table = new HandleTable<TreeNode>;
    return *table;
}

} // namespace

TreeItems::TreeItems() {
    m_root.depth = -1;
    m_root.owner = this;
    m_root.state = TVIS_EXPANDED;
}

TreeItems::~TreeItems() {
    while (m_root.first)
        Remove(m_root.first);
}

TreeNode* TreeItems::Find(HTREEITEM handle) const {
    TreeNode* node = handle ? Table().Find(handle) : nullptr;
    return node && node->owner == this ? node : nullptr;
}

bool TreeItems::Expanded(const TreeNode* node) {
    return !node->parent || (node->state & TVIS_EXPANDED);
}

bool TreeItems::IsAncestor(const TreeNode* ancestor, const TreeNode* node) {
    if (!ancestor || !node) return false;
    for (const TreeNode* p = node->parent; p; p = p->parent)
        if (p == ancestor) return true;
    return false;
}

// A change of delta in node's rows reaches every parent up to the first collapsed one.
void TreeItems::RowsChanged(TreeNode* node, int delta) {
    for (TreeNode* p = node->parent; p && delta; p = p->parent) {
        p->childRows += delta;
        if (!Expanded(p)) return;
        p->rows += delta;
    }
}

void TreeItems::Renumber(TreeNode* parent) {
    int64_t key = 0;
    for (TreeNode* c = parent->first; c; c = c->next, key += kGap)
        c->key = key;
}

TreeNode* TreeItems::Insert(TreeNode* parent, TreeNode* after) {
    auto owned = std::make_unique<TreeNode>();
    TreeNode* node = owned.get();
    void* handle = Table().Add(std::move(owned));
    if (!handle) return nullptr;
    node->handle = static_cast<HTREEITEM>(handle);
    node->owner = this;
    node->parent = parent;
    node->depth = parent->depth + 1;
    TreeNode* next = after ? after->next : parent->first;
    node->prev = after;
    node->next = next;
    (after ? after->next : parent->first) = node;
    (next ? next->prev : parent->last) = node;
    if (!after && !next)
        node->key = 0;
    else if (!next)
        node->key = after->key + kGap;
    else if (!after)
        node->key = next->key - kGap;
    else if (next->key - after->key >= 2)
        node->key = after->key + (next->key - after->key) / 2;
    else
        Renumber(parent);
    ++m_count;
    RowsChanged(node, 1);
    return node;
}

void TreeItems::Remove(TreeNode* node) {
    RowsChanged(node, -node->rows);
    TreeNode* parent = node->parent;
    (node->prev ? node->prev->next : parent->first) = node->next;
    (node->next ? node->next->prev : parent->last) = node->prev;
    // Free the subtree without recursion: a deep tree must not exhaust the stack.
    std::vector<TreeNode*> pending = {node};
    while (!pending.empty()) {
        TreeNode* n = pending.back();
        pending.pop_back();
        for (TreeNode* c = n->first; c; c = c->next)
            pending.push_back(c);
        --m_count;
        Table().Remove(n->handle); // destroys n
    }
}

void TreeItems::SetExpanded(TreeNode* node, bool expanded) {
    if (!node->parent || Expanded(node) == expanded) return;
    node->state = expanded ? (node->state | TVIS_EXPANDED) : (node->state & ~UINT(TVIS_EXPANDED));
    int delta = expanded ? node->childRows : -node->childRows;
    node->rows += delta;
    RowsChanged(node, delta);
}

bool TreeItems::IsShown(const TreeNode* node) const {
    if (!node || node == &m_root) return false;
    for (const TreeNode* p = node->parent; p; p = p->parent)
        if (!Expanded(p)) return false;
    return true;
}

bool TreeItems::Before(const TreeNode* a, const TreeNode* b) const {
    if (a == b) return false;
    const TreeNode *x = a, *y = b;
    while (x->depth > y->depth)
        x = x->parent;
    if (x == y) return false; // b lies above a
    while (y->depth > x->depth)
        y = y->parent;
    if (x == y) return true; // a lies above b
    while (x->parent != y->parent) {
        x = x->parent;
        y = y->parent;
    }
    return x->key < y->key;
}

TreeNode* TreeItems::LastShown() const {
    TreeNode* n = m_root.last;
    while (n && Expanded(n) && n->last)
        n = n->last;
    return n;
}

TreeNode* TreeItems::NextAfterSubtree(const TreeNode* node) const {
    for (const TreeNode* x = node; x && x != &m_root; x = x->parent)
        if (x->next) return x->next;
    return nullptr;
}

TreeNode* TreeItems::NextShown(const TreeNode* node) const {
    if (Expanded(node) && node->first) return node->first;
    return NextAfterSubtree(node);
}

TreeNode* TreeItems::PrevShown(const TreeNode* node) const {
    if (TreeNode* n = node->prev) {
        while (Expanded(n) && n->last)
            n = n->last;
        return n;
    }
    return node->parent == &m_root ? nullptr : node->parent;
}

int TreeItems::IndexOf(const TreeNode* node) const {
    int index = 0;
    for (const TreeNode* x = node; x != &m_root; x = x->parent) {
        for (const TreeNode* s = x->parent->first; s != x; s = s->next)
            index += s->rows;
        if (x->parent != &m_root) ++index; // the parent's own row
    }
    return index;
}

TreeNode* TreeItems::AtIndex(int row) const {
    if (row < 0) return nullptr;
    const TreeNode* parent = &m_root;
    for (;;) {
        TreeNode* s = parent->first;
        for (; s && row >= s->rows; s = s->next)
            row -= s->rows;
        if (!s || row == 0) return s;
        --row; // past the item's own row, into its children
        parent = s;
    }
}

void TreeItems::CollectSubtree(TreeNode* node, std::vector<HTREEITEM>* out) const {
    // Children first: walk down, then emit on the way back up.
    std::vector<std::pair<TreeNode*, bool>> pending = {{node, false}};
    while (!pending.empty()) {
        auto [n, visited] = pending.back();
        pending.pop_back();
        if (visited) {
            out->push_back(n->handle);
            continue;
        }
        pending.push_back({n, true});
        for (TreeNode* c = n->last; c; c = c->prev)
            pending.push_back({c, false});
    }
}

} // namespace commctrl
