// CScreenControls: the controls of one screen, made as a screen map says: the section's window
// on a host window, then every other component the map lists for the section on it, each of the
// type the map binds it to. An application keeps its wiring by id: Get<CSkinButton>(kPlay)
// hands out the control when the map made that id a button, and null otherwise, so a map and
// an application that disagree are found when the screen is made.
//
// Radio buttons join the group the map names (one per section unless named). A scroll list
// creates its own bar (the map's scrollbar entry for it); a drop tree's tree gets the map's
// popup size. Menus are no windows: the application builds them when it needs them.
//
// ApplySamples shows the map's sample captions and items (for previews; an application shows
// its own). Controls go before the window they sit on and groups after their buttons.
#pragma once

#include "controls/skinlistctrl.h"
#include "controls/skinobject.h"
#include "controls/skinradiogroup.h"
#include "controls/skinwindow.h"
#include "screenmap/screenmap.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CScreenControls {
public:
    CScreenControls() = default;
    ~CScreenControls();
    CScreenControls(const CScreenControls&) = delete;
    CScreenControls& operator=(const CScreenControls&) = delete;

    // Makes the section's window on host and the controls on it; false with a message naming
    // the map's line when the map has no window for the section or a window cannot be made.
    bool Create(const CScreenMap& map, const CString& section, CWnd* host,
                CSkinRepository* repository, std::string& error);

    struct Control {
        const MapEntry* entry;
        CSkinObject* control; // the window for the window entry
    };
    // Every control made, the window first, then in the map's order.
    const std::vector<Control>& Controls() const { return m_list; }
    CSkinWindow* Window() const { return m_pWindow.get(); }
    CSkinObject* Find(UINT id) const;
    template <class T> T* Get(UINT id) const { return dynamic_cast<T*>(Find(id)); }
    // A radio group by the name the map gives it ("" for the section's unnamed one).
    CSkinRadioGroup* Group(const CString& name);

    // Sample captions, labels and items of the map, for a preview.
    void ApplySamples();

private:
    std::unique_ptr<CSkinObject> Make(const MapEntry& e, CWnd* parent, CSkinRepository* repository);
    void AttachSampleList(class CSkinScrollList& scroll, const MapEntry& e);

    // Declared in the order in which they may go last to first.
    std::map<std::u16string, std::unique_ptr<CSkinRadioGroup>> m_groups;
    std::vector<std::unique_ptr<CSkinListCtrl>> m_sampleLists; // outlive their containers
    std::unique_ptr<CSkinWindow> m_pWindow;
    std::vector<std::unique_ptr<CSkinObject>> m_controls;
    std::vector<Control> m_list;
};
