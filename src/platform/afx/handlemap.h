// The framework's handle maps: wrapper objects attached to handles (permanent) and wrappers
// made on demand by FromHandle (temporary, deleted by DeleteTempMap at idle time without
// touching the handle).
#pragma once

#include <unordered_map>

template <class Object> class CHandleMap {
public:
    Object* LookupPermanent(const void* handle) const {
        auto it = m_permanent.find(handle);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    void SetPermanent(const void* handle, Object* object) { m_permanent[handle] = object; }
    // The first permanent wrapper for which test() holds, or null.
    template <class Test> Object* FindPermanent(Test test) const {
        for (auto& [handle, object] : m_permanent)
            if (test(object)) return object;
        return nullptr;
    }
    void RemoveHandle(const void* handle, const Object* object) {
        auto it = m_permanent.find(handle);
        if (it != m_permanent.end() && it->second == object) m_permanent.erase(it);
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
    std::unordered_map<const void*, Object*> m_permanent;
    std::unordered_map<const void*, Object*> m_temporary;
};
