// The framework's collections: doubly linked lists walked through POSITION values, and
// string-keyed hash maps (keys compared exactly, letter case included).
//
// A POSITION stays valid until its own element is removed; removing or adding other elements
// never moves an element. List nodes come from blocks of the list's block size, as the
// framework allocates them: removed nodes are reused, and the blocks are released once the list
// is empty. Skin models hold many short lists, and one allocation per block instead of one per
// element keeps loading them cheap.
#pragma once

#include "platform/base/cstring.h"

#include <cassert>
#include <cstddef>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

template <class T> class CListT {
    struct Node {
        Node* prev;
        Node* next;
        T value;
    };

public:
    explicit CListT(int blockSize = 10) : m_nBlockSize(blockSize) {}
    CListT(const CListT&) = delete;
    CListT& operator=(const CListT&) = delete;
    ~CListT() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    int GetBlockSize() const { return m_nBlockSize; }

    T& GetHead() { return m_pHead->value; }
    const T& GetHead() const { return m_pHead->value; }
    T& GetTail() { return m_pTail->value; }
    const T& GetTail() const { return m_pTail->value; }

    POSITION AddHead(const T& value) { return Link(NewNode(nullptr, m_pHead, value)); }
    POSITION AddTail(const T& value) { return Link(NewNode(m_pTail, nullptr, value)); }

    POSITION InsertBefore(POSITION pos, const T& value) {
        if (!pos) return AddHead(value);
        Node* at = N(pos);
        return Link(NewNode(at->prev, at, value));
    }
    POSITION InsertAfter(POSITION pos, const T& value) {
        if (!pos) return AddTail(value);
        Node* at = N(pos);
        return Link(NewNode(at, at->next, value));
    }

    T RemoveHead() {
        T v = m_pHead->value;
        RemoveAt(P(m_pHead));
        return v;
    }
    T RemoveTail() {
        T v = m_pTail->value;
        RemoveAt(P(m_pTail));
        return v;
    }
    void RemoveAt(POSITION pos) {
        Node* n = N(pos);
        (n->prev ? n->prev->next : m_pHead) = n->next;
        (n->next ? n->next->prev : m_pTail) = n->prev;
        FreeNode(n);
    }
    void RemoveAll() {
        for (Node* n = m_pHead; n;) {
            Node* next = n->next;
            n->~Node();
            n = next;
        }
        m_pHead = m_pTail = nullptr;
        m_nCount = 0;
        ReleaseBlocks();
    }

    POSITION GetHeadPosition() const { return P(m_pHead); }
    POSITION GetTailPosition() const { return P(m_pTail); }
    T& GetNext(POSITION& pos) {
        Node* n = N(pos);
        pos = P(n->next);
        return n->value;
    }
    const T& GetNext(POSITION& pos) const {
        Node* n = N(pos);
        pos = P(n->next);
        return n->value;
    }
    T& GetPrev(POSITION& pos) {
        Node* n = N(pos);
        pos = P(n->prev);
        return n->value;
    }
    T& GetAt(POSITION pos) { return N(pos)->value; }
    const T& GetAt(POSITION pos) const { return N(pos)->value; }
    void SetAt(POSITION pos, const T& value) { N(pos)->value = value; }

    // First element equal to value, searching after startAfter (from the head when null).
    POSITION Find(const T& value, POSITION startAfter = nullptr) const {
        for (Node* n = startAfter ? N(startAfter)->next : m_pHead; n; n = n->next)
            if (n->value == value) return P(n);
        return nullptr;
    }
    POSITION FindIndex(int index) const {
        if (index < 0 || index >= m_nCount) return nullptr;
        Node* n = m_pHead;
        while (index--) n = n->next;
        return P(n);
    }

    // Range-for support for library code that only reads.
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        explicit const_iterator(const Node* n) : m_n(n) {}
        const T& operator*() const { return m_n->value; }
        const_iterator& operator++() {
            m_n = m_n->next;
            return *this;
        }
        bool operator!=(const const_iterator& o) const { return m_n != o.m_n; }
        bool operator==(const const_iterator& o) const { return m_n == o.m_n; }

    private:
        const Node* m_n;
    };
    const_iterator begin() const { return const_iterator(m_pHead); }
    const_iterator end() const { return const_iterator(nullptr); }

private:
    static Node* N(POSITION pos) {
        assert(pos != nullptr);
        return reinterpret_cast<Node*>(pos);
    }
    // Node storage: blocks of m_nBlockSize nodes chained through their first bytes; unused
    // nodes wait in m_pFree (linked through their next pointers, not constructed).
    union Cell {
        Cell() {}
        ~Cell() {}
        Node node;
        Cell* nextFree;
    };
    struct Block {
        Block* next;
    };
    Node* NewNode(Node* prev, Node* next, const T& value) {
        if (!m_pFree) AddBlock();
        Cell* cell = m_pFree;
        m_pFree = cell->nextFree;
        return new (&cell->node) Node{prev, next, value};
    }
    void FreeNode(Node* n) {
        n->~Node();
        Cell* cell = reinterpret_cast<Cell*>(n);
        cell->nextFree = m_pFree;
        m_pFree = cell;
        if (--m_nCount == 0) ReleaseBlocks();
    }
    void AddBlock() {
        size_t cells = size_t(m_nBlockSize > 0 ? m_nBlockSize : 10);
        // The block header is padded to a cell's alignment so that the cells after it are aligned.
        constexpr size_t header = (sizeof(Block) + alignof(Cell) - 1) / alignof(Cell) * alignof(Cell);
        auto* raw = static_cast<unsigned char*>(::operator new(header + cells * sizeof(Cell)));
        auto* block = reinterpret_cast<Block*>(raw);
        block->next = m_pBlocks;
        m_pBlocks = block;
        auto* cell = reinterpret_cast<Cell*>(raw + header);
        for (size_t i = cells; i-- > 0;) {
            cell[i].nextFree = m_pFree;
            m_pFree = &cell[i];
        }
    }
    void ReleaseBlocks() {
        while (m_pBlocks) {
            Block* next = m_pBlocks->next;
            ::operator delete(m_pBlocks);
            m_pBlocks = next;
        }
        m_pFree = nullptr;
    }
    static POSITION P(Node* n) { return reinterpret_cast<POSITION>(n); }
    POSITION Link(Node* n) {
        (n->prev ? n->prev->next : m_pHead) = n;
        (n->next ? n->next->prev : m_pTail) = n;
        ++m_nCount;
        return P(n);
    }

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    int m_nCount = 0;
    int m_nBlockSize;
    Block* m_pBlocks = nullptr;
    Cell* m_pFree = nullptr;
};

class CStringList : public CListT<CString> {
public:
    explicit CStringList(int blockSize = 10) : CListT<CString>(blockSize) {}
    POSITION AddTail(const CString& value) { return CListT<CString>::AddTail(value); }
    POSITION AddTail(LPCWSTR value) { return CListT<CString>::AddTail(CString(value)); }
    void AddTail(const CStringList& other) {
        for (const CString& s : other) AddTail(s);
    }
    POSITION Find(LPCWSTR value, POSITION startAfter = nullptr) const {
        return CListT<CString>::Find(CString(value), startAfter);
    }
};

class CPtrList : public CListT<void*> {
public:
    explicit CPtrList(int blockSize = 10) : CListT<void*>(blockSize) {}
};

// Hash map from CString to V, walked with GetStartPosition/GetNextAssoc in bucket order.
template <class V> class CMapStringToT {
    struct Assoc {
        Assoc* next;
        size_t hash;
        CString key;
        V value;
    };

public:
    explicit CMapStringToT(int blockSize = 10) : m_nBlockSize(blockSize) {}
    CMapStringToT(const CMapStringToT&) = delete;
    CMapStringToT& operator=(const CMapStringToT&) = delete;
    ~CMapStringToT() { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    bool Lookup(LPCWSTR key, V& value) const {
        const Assoc* a = Get(CString(key).View());
        if (!a) return false;
        value = a->value;
        return true;
    }
    bool Lookup(const CString& key, V& value) const {
        const Assoc* a = Get(key.View());
        if (!a) return false;
        value = a->value;
        return true;
    }
    // The value for key, created empty when absent.
    V& operator[](const CString& key) {
        size_t h = Hash(key.View());
        if (Assoc* a = Get(key.View(), h)) return a->value;
        Grow();
        Assoc*& head = m_buckets[h % m_buckets.size()];
        head = new Assoc{head, h, key, V()};
        ++m_nCount;
        return head->value;
    }
    void SetAt(const CString& key, const V& value) { (*this)[key] = value; }
    bool RemoveKey(const CString& key) {
        if (m_buckets.empty()) return false;
        size_t h = Hash(key.View());
        for (Assoc** link = &m_buckets[h % m_buckets.size()]; *link; link = &(*link)->next) {
            if ((*link)->hash == h && (*link)->key.View() == key.View()) {
                Assoc* dead = *link;
                *link = dead->next;
                delete dead;
                --m_nCount;
                return true;
            }
        }
        return false;
    }
    void RemoveAll() {
        for (Assoc*& head : m_buckets) {
            while (head) {
                Assoc* next = head->next;
                delete head;
                head = next;
            }
        }
        m_buckets.clear();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount ? P(First(0)) : nullptr; }
    void GetNextAssoc(POSITION& pos, CString& key, V& value) const {
        const Assoc* a = reinterpret_cast<const Assoc*>(pos);
        key = a->key;
        value = a->value;
        const Assoc* next = a->next ? a->next : First(a->hash % m_buckets.size() + 1);
        pos = P(next);
    }

private:
    static size_t Hash(std::u16string_view key) {
        size_t h = 2166136261u;
        for (char16_t c : key) h = (h ^ c) * 16777619u;
        return h;
    }
    const Assoc* Get(std::u16string_view key) const { return Get(key, Hash(key)); }
    Assoc* Get(std::u16string_view key, size_t h) const {
        if (m_buckets.empty()) return nullptr;
        for (Assoc* a = m_buckets[h % m_buckets.size()]; a; a = a->next)
            if (a->hash == h && a->key.View() == key) return a;
        return nullptr;
    }
    const Assoc* First(size_t bucket) const {
        for (; bucket < m_buckets.size(); ++bucket)
            if (m_buckets[bucket]) return m_buckets[bucket];
        return nullptr;
    }
    void Grow() {
        if (m_nCount + 1 <= int(m_buckets.size())) return;
        std::vector<Assoc*> buckets(m_buckets.empty() ? 17 : m_buckets.size() * 2 + 1, nullptr);
        for (Assoc* head : m_buckets) {
            while (head) {
                Assoc* next = head->next;
                Assoc*& slot = buckets[head->hash % buckets.size()];
                head->next = slot;
                slot = head;
                head = next;
            }
        }
        m_buckets.swap(buckets);
    }
    static POSITION P(const Assoc* a) { return reinterpret_cast<POSITION>(const_cast<Assoc*>(a)); }

    std::vector<Assoc*> m_buckets;
    int m_nCount = 0;
    int m_nBlockSize;
};

class CMapStringToPtr : public CMapStringToT<void*> {
public:
    explicit CMapStringToPtr(int blockSize = 10) : CMapStringToT<void*>(blockSize) {}
};

class CMapStringToString : public CMapStringToT<CString> {
public:
    explicit CMapStringToString(int blockSize = 10) : CMapStringToT<CString>(blockSize) {}
};

// Also used by the library for exact-key maps to 32-bit values.
class CMapStringToDWord : public CMapStringToT<DWORD> {
public:
    explicit CMapStringToDWord(int blockSize = 10) : CMapStringToT<DWORD>(blockSize) {}
};
