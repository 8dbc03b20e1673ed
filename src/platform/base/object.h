// CObject and run-time class information, as the framework declares them.
//
// A class's CRuntimeClass record is a constant object (no code runs to build it), so the
// library keeps its promise of having no static initialisers.
#pragma once

#include "platform/base/wintypes.h"

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_name, schema, create)                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, int(sizeof(class_name)),     \
                                                         schema, create,                           \
                                                         RUNTIME_CLASS(base_name)};                \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_name)                                                   \
    IMPLEMENT_RUNTIMECLASS(class_name, base_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_name)                                                 \
    CObject* class_name::CreateObject() { return new class_name; }                                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_name, 0xFFFF, class_name::CreateObject)

template <class T> T* DYNAMIC_DOWNCAST_T(const CRuntimeClass* cls, CObject* obj) {
    return obj && obj->IsKindOf(cls) ? static_cast<T*>(obj) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    DYNAMIC_DOWNCAST_T<class_name>(RUNTIME_CLASS(class_name), object)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
