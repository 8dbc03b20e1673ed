// The framework's handle maps: wrapper objects attached to handles (permanent) and wrappers
// made on demand by FromHandle (temporary, deleted by DeleteTempMap at idle time without
// touching the handle).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

// A handle holds a slot and a generation that often grow together: consecutive handles then
// differ by 2^24 + 1 = 97 x 257 x 673, and with the plain pointer hash they all share one
// bucket of a table of 97 or 257 buckets. Mixing the bits spreads them.
struct CHandleHash {
    size_t operator()(const void* handle) const noexcept {
        uint64_t x = uint64_t(reinterpret_cast<uintptr_t>(handle));
        x ^= x >> 33;
        x *= 0xff51afd7ed558ccdULL;
        x ^= x >> 33;
        return size_t(x);
    }
};

// Handles to objects in one open-addressed table: the framework attaches and detaches wrappers
// for every context a paint makes, and a node-based map would allocate for each. Linear probing
// with entries moved back on removal: no removed markers pile up between the attaches and
// detaches, so a lookup ends at the first empty slot after a short run.
template <class Object> class CHandleTable {
public:
    Object* Find(const void* handle) const {
        if (m_slots.empty()) return nullptr;
        for (size_t i = Home(handle);; i = Next(i)) {
            const Slot& s = m_slots[i];
            if (!s.handle) return nullptr;
            if (s.handle == handle) return s.object;
        }
    }
    void Set(const void* handle, Object* object) {
        if (!handle) return;
        if ((m_count + 1) * 4 > m_slots.size() * 3) Grow();
        size_t i = Home(handle);
        for (; m_slots[i].handle; i = Next(i)) {
            if (m_slots[i].handle == handle) {
                m_slots[i].object = object;
                return;
            }
        }
        m_slots[i] = {handle, object};
        ++m_count;
    }
    void Erase(const void* handle) {
        if (size_t i; Search(handle, &i)) EraseAt(i);
    }
    // Erase, only while the handle's object is `object` (in one search of the table).
    void EraseIf(const void* handle, const Object* object) {
        if (size_t i; Search(handle, &i) && m_slots[i].object == object) EraseAt(i);
    }
    template <class F> void ForEach(F f) const {
        for (const Slot& s : m_slots)
            if (s.handle) f(s.handle, s.object);
    }
    size_t size() const { return m_count; }
    void clear() {
        m_slots.clear();
        m_count = 0;
    }
    // Empties the table; a small one keeps its storage for the entries to come (the temporary
    // wrappers a screen of a few hundred controls makes in one paint fit).
    void Empty() {
        constexpr size_t kKeptSlots = 1024;
        if (m_slots.size() > kKeptSlots) return clear();
        if (m_count) std::fill(m_slots.begin(), m_slots.end(), Slot{});
        m_count = 0;
    }

private:
    struct Slot {
        const void* handle = nullptr; // null: empty (a null handle is never stored)
        Object* object = nullptr;
    };
    // The slot of handle, if it is in the table.
    bool Search(const void* handle, size_t* slot) const {
        if (m_slots.empty()) return false;
        size_t i = Home(handle);
        for (; m_slots[i].handle != handle; i = Next(i))
            if (!m_slots[i].handle) return false;
        *slot = i;
        return true;
    }
    void EraseAt(size_t i) {
        // Close the gap: a later entry of the run moves back unless its home lies after the
        // gap (cyclically), where a lookup would no longer pass the gap to reach it.
        for (size_t j = Next(i);; j = Next(j)) {
            if (!m_slots[j].handle) break;
            size_t home = Home(m_slots[j].handle);
            bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (stays) continue;
            m_slots[i] = m_slots[j];
            i = j;
        }
        m_slots[i] = Slot{};
        --m_count;
    }
    size_t Home(const void* handle) const { return CHandleHash()(handle) & (m_slots.size() - 1); }
    size_t Next(size_t i) const { return (i + 1) & (m_slots.size() - 1); }
    void Grow() {
        std::vector<Slot> old = std::move(m_slots);
        size_t size = 16;
        while ((m_count + 1) * 2 > size)
            size *= 2;
        m_slots.assign(size, Slot{});
        m_count = 0;
        for (const Slot& s : old)
            if (s.handle) Set(s.handle, s.object);
    }

    std::vector<Slot> m_slots; // a power of two in size, never more than three quarters full
    size_t m_count = 0;        // live entries
};

template <class Object> class CHandleMap {
public:
    // Every message to a window looks its object up: the last lookups are remembered in a small
    // table in front of the map, kept in step by every change to the map.
    Object* LookupPermanent(const void* handle) const {
        Recent& r = m_recent[CHandleHash()(handle) % kRecent];
        if (r.handle == handle && handle) return r.object;
        r = {handle, m_permanent.Find(handle)};
        return r.object;
    }
    void SetPermanent(const void* handle, Object* object) {
        m_permanent.Set(handle, object);
        Forget(handle);
    }
    // The first permanent wrapper for which test() holds, or null.
    template <class Test> Object* FindPermanent(Test test) const {
        Object* found = nullptr;
        m_permanent.ForEach([&](const void*, Object* object) {
            if (!found && test(object)) found = object;
        });
        return found;
    }
    void RemoveHandle(const void* handle, const Object* object) {
        m_permanent.EraseIf(handle, object);
        Forget(handle);
    }

    // The permanent wrapper, else a temporary one made by make() (null for a null handle).
    template <class Make> Object* FromHandle(const void* handle, Make make) {
        if (!handle) return nullptr;
        if (Object* object = LookupPermanent(handle)) return object;
        if (Object* object = m_temporary.Find(handle)) return object;
        Object* object = make();
        m_temporary.Set(handle, object);
        return object;
    }

    // Frees the temporary wrappers; release() detaches each from its handle first.
    // The table is emptied first (a wrapper's destructor may look handles up); its storage
    // stays for the next paint's wrappers.
    template <class Release> void DeleteTemp(Release release) {
        if (!m_temporary.size()) return;
        std::vector<Object*> objects;
        objects.reserve(m_temporary.size());
        m_temporary.ForEach([&](const void*, Object* object) { objects.push_back(object); });
        m_temporary.Empty();
        for (Object* object : objects) {
            release(object);
            delete object;
        }
    }

    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    struct Recent {
        const void* handle = nullptr;
        Object* object = nullptr;
    };
    static constexpr size_t kRecent = 64;
    void Forget(const void* handle) {
        Recent& r = m_recent[CHandleHash()(handle) % kRecent];
        if (r.handle == handle) r = Recent{};
    }

    mutable Recent m_recent[kRecent];
    CHandleTable<Object> m_permanent;
    CHandleTable<Object> m_temporary;
};
