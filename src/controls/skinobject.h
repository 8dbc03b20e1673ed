// CSkinObject: the window base of every skinned control, and CSkinCustom for components that an
// application defines itself.
//
// A control is bound to one component of the current skin by a section name and a numeric
// component id (which is also its child-window id). Create makes a hidden, empty child window
// of the library's class "MFCSkinObject" and registers the control with the repository, which
// runs its Update at once when a skin is current and again after every LoadSkin. Each control's
// Update reads its component and gives the window its place, size and look. Destroying the
// control unregisters it.
#pragma once

#include "platform/afx/wnd.h"
#include "repository/skininterface.h"
#include "repository/skinrepository.h"

class CAttributeIndex;

// The library's window class.
inline constexpr LPCWSTR kSkinObjectClass = u"MFCSkinObject";

class CSkinObject : public CWnd, public CSkinInterface {
    DECLARE_DYNAMIC(CSkinObject)
public:
    // Registers the window class "MFCSkinObject" when this process has not yet; throws the
    // framework's resource exception when the class cannot be registered.
    CSkinObject();
    // Unregisters the control from its repository when that still exists (it does not Unload:
    // controls that hold resources do that).
    ~CSkinObject() override;

    // Stores the binding, creates the window and registers with repository (when not null).
    // False when the window cannot be created; nothing is registered then.
    bool Create(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository);
    // Rebinds to another section and runs Update.
    void SetSection(const CString& section);
    // The window exists and a repository supplies the component.
    bool IsValid() const;

    // The control's property converted to the requested type; false with the empty value when
    // the property is missing or its type does not convert.
    bool GetProperty(const CString& name, CString& value);
    bool GetProperty(const CString& name, bool& value);   // "bool"; "numeric" (not "0")
    bool GetProperty(const CString& name, CRect& value);  // "rect"
    bool GetProperty(const CString& name, DWORD& value);  // "numeric", "choice...", "color"
    bool GetProperty(const CString& name, LONG& value);   // "numeric"
    bool GetProperty(const CString& name, long& value);   // "numeric"
    bool GetProperty(const CString& name, CPoint& value); // "string" holding x,y

protected:
    // The component's first property called name (letter case ignored), or null.
    const tagPROPERTY* GetProperty(const CString& name);
    // The window that stands for the application around the control.
    CWnd* GetApplicationWnd();

    // The Unload and Update of the basic controls. HideWindow hides the window when it exists.
    // UpdateFromComponent hides the control through Unload, has ReadComponent read the component
    // when there is a repository (a skin without the component leaves the control hidden and
    // unpainted), then brings the window to the top of its siblings and invalidates it whole.
    void HideWindow();
    void UpdateFromComponent();
    virtual void ReadComponent(const CAttributeIndex&) {}

    UINT m_nComponentID = 0xFFFFFFFF;
    CString m_strSection;
    CSkinRepository* m_pRepository = nullptr;

    DECLARE_MESSAGE_MAP()
};

// A component an application implements itself. Unload and Update do nothing until a derived
// class overrides them.
//
// The three-argument Create binds without a window and without registering; the four-argument
// one refuses. A derived class that wants a window and skin updates calls CreateBound, which
// does what Create does for the library's own controls; one that needs no window binds with
// the three-argument Create and then calls Register:
//
//   class CGauge : public CSkinCustom {
//       void Update() override { /* read GetProperty(...), place and show the window */ }
//   };
//   gauge.CreateBound(parent, u"main", 12, &repository); // window, registration, Update
class CSkinCustom : public CSkinObject {
public:
    bool Create(const CString& section, UINT id, CSkinRepository* repository);
    bool Create(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository);
    // Creates the control's window in the library's class and registers it.
    bool CreateBound(CWnd* parent, const CString& section, UINT id, CSkinRepository* repository);
    // Registers a control bound by the three-argument Create, so the repository updates it
    // (at once when a skin is current). Once only; false without a repository.
    bool Register();

protected:
    void Unload() override {}
    void Update() override {}

private:
    bool m_bRegistered = false;
};
