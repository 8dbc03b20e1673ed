// CSkinInterface: how the repository tells a skinned component that the skin changed.
//
// The three operations are protected: only the repository (a friend) and the components
// themselves call them. Slot order is fixed: Unload, Update, OnUpdate, then the destructor.
#pragma once

class CSkinRepository;

class CSkinInterface {
    friend class CSkinRepository;

public:
    CSkinInterface() = default;
    CSkinInterface(const CSkinInterface&) = default;
    CSkinInterface& operator=(const CSkinInterface&) = default;

protected:
    // Releases what the last Update took.
    virtual void Unload() = 0;
    // Re-reads the component from the current skin.
    virtual void Update() = 0;
    // Runs after every registered component has been updated.
    virtual void OnUpdate() {}
    // After the three operations, so that they keep the first slots.
    virtual ~CSkinInterface() = default;
};
