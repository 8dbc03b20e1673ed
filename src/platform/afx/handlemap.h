// The framework's handle maps: wrapper objects attached to handles (permanent) and wrappers
// made on demand by FromHandle (temporary, deleted by DeleteTempMap at idle time without
// touching the handle).
#pragma once

#include <cstdint>
#include <unordered_map>

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

template <class Object> class CHandleMap {
public:
    // Every message to a window looks its object up: the last lookups are remembered in a small
    // table in front of the map, kept in step by every change to the map.
    Object* LookupPermanent(const void* handle) const {
        Recent& r = m_recent[CHandleHash()(handle) % kRecent];
        if (r.handle == handle && handle) return r.object;
        auto it = m_permanent.find(handle);
        r = {handle, it == m_permanent.end() ? nullptr : it->second};
        return r.object;
    }
    void SetPermanent(const void* handle, Object* object) {
        m_permanent[handle] = object;
        Forget(handle);
    }
    // The first permanent wrapper for which test() holds, or null.
    template <class Test> Object* FindPermanent(Test test) const {
        for (auto& [handle, object] : m_permanent)
            if (test(object)) return object;
        return nullptr;
    }
    void RemoveHandle(const void* handle, const Object* object) {
        auto it = m_permanent.find(handle);
        if (it != m_permanent.end() && it->second == object) m_permanent.erase(it);
        Forget(handle);
    }

    // The permanent wrapper, else a temporary one made by make() (null for a null handle).
    template <class Make> Object* FromHandle(const void* handle, Make make) {
        if (!handle) return nullptr;
        if (Object* object = LookupPermanent(handle)) return object;
        auto it = m_temporary.find(handle);
        if (it != m_temporary.end()) return it->second;
        Object* object = make();
        m_temporary[handle] = object;
        return object;
    }

    // Frees the temporary wrappers; release() detaches each from its handle first.
    template <class Release> void DeleteTemp(Release release) {
        auto temporary = std::move(m_temporary);
        m_temporary.clear();
        for (auto& [handle, object] : temporary) {
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
    std::unordered_map<const void*, Object*, CHandleHash> m_permanent;
    std::unordered_map<const void*, Object*, CHandleHash> m_temporary;
};
