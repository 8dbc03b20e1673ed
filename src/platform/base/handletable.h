// HandleTable: objects that the platform hands out by handle (graphics objects, windows).
//
// A handle encodes a slot and that slot's generation. A handle whose generation no longer matches
// (its object was destroyed) finds nothing, and generations are not reused for a long time, so a
// stale handle stays stale after its slot is filled again; a forged or null handle finds nothing
// either. No platform call ever reaches a freed object through a handle.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

template <class T> class HandleTable {
public:
    static constexpr int kSlotBits = 24;
    static constexpr uint64_t kSlotMask = (uint64_t(1) << kSlotBits) - 1;
    static constexpr uint64_t kGenerationMask = (uint64_t(1) << 39) - 1;

    // Takes the object; its handle, or null when every slot is taken.
    void* Add(std::unique_ptr<T> object) {
        uint32_t index;
        if (!m_free.empty()) {
            index = m_free.back();
            m_free.pop_back();
        } else {
            if (m_slots.size() >= kSlotMask) return nullptr;
            m_slots.emplace_back();
            index = uint32_t(m_slots.size() - 1);
        }
        Slot& slot = m_slots[index];
        slot.generation = m_nextGeneration;
        m_nextGeneration = (m_nextGeneration + 1) & kGenerationMask;
        if (m_nextGeneration == 0) m_nextGeneration = 1;
        slot.object = std::move(object);
        return reinterpret_cast<void*>(uintptr_t(slot.generation << kSlotBits | (index + 1)));
    }

    // The live object behind handle, or null.
    T* Find(const void* handle) const {
        const Slot* slot = SlotOf(handle);
        return slot ? slot->object.get() : nullptr;
    }

    // Detaches the object from its handle and gives it back (null for a stale handle); the
    // caller destroys it, so that its destructor may use the table.
    std::unique_ptr<T> Remove(const void* handle) {
        Slot* slot = const_cast<Slot*>(SlotOf(handle));
        if (!slot) return nullptr;
        std::unique_ptr<T> object = std::move(slot->object);
        slot->generation = 0;
        m_free.push_back(uint32_t(slot - m_slots.data()));
        return object;
    }

    // Every live object, in slot order.
    std::vector<T*> All() const {
        std::vector<T*> out;
        for (const Slot& slot : m_slots)
            if (slot.object) out.push_back(slot.object.get());
        return out;
    }

private:
    struct Slot {
        uint64_t generation = 0;
        std::unique_ptr<T> object;
    };

    const Slot* SlotOf(const void* handle) const {
        uint64_t h = uint64_t(reinterpret_cast<uintptr_t>(handle));
        uint64_t index = h & kSlotMask;
        if (index == 0 || index > m_slots.size()) return nullptr;
        const Slot& slot = m_slots[index - 1];
        if (!slot.object || slot.generation != (h >> kSlotBits)) return nullptr;
        return &slot;
    }

    std::vector<Slot> m_slots;
    std::vector<uint32_t> m_free;
    uint64_t m_nextGeneration = 1;
};
