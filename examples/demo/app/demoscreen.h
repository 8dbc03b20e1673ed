// CDemoScreen: one screen of the demo, a skinned window of one skin section with the controls
// on it. The screen map (examples/demo/screens.map) says which control each component of the
// section is; the screen makes them from it and then finds the ones it works with by id, so
// the map and the player cannot disagree: a screen whose map lacks a control it needs, or binds
// it to another type, is not made. A screen turns its controls' notifications into changes of
// the player's state and tells the frame where to go next; Apply shows the state again after
// every skin change (an Update puts captions, slider thumbs and such back to what the skin says).
//
// New screens derive from it: Bind finds the controls through Take, OnCommand and OnSlider
// react, Apply shows the state.
#pragma once

#include "playerstate.h"
#include "screenmap/screencontrols.h"

#include <string>
#include <vector>

// What a screen asks of the frame after a notification.
enum class DemoAction { None, ShowPlayer, ShowSettings, SwitchSkin, ShowPlaylist };

class CDemoScreen {
public:
    CDemoScreen(const CString& section, PlayerState& state)
        : m_strSection(section), m_state(state) {}
    virtual ~CDemoScreen() = default;
    CDemoScreen(const CDemoScreen&) = delete;
    CDemoScreen& operator=(const CDemoScreen&) = delete;

    // The section's window on host, then the controls on it, as map says; false with a
    // message in error when the map and the screen disagree or a window cannot be made.
    bool Create(CWnd* host, CSkinRepository* repository, const CScreenMap& map, std::string& error);
    void Show(bool show);
    bool IsShown() const;
    // Whether window is one of this screen's controls.
    bool Owns(HWND window) const;
    // The controls, in creation order (for drivers that enable, disable or press them).
    const std::vector<CSkinObject*>& Controls() const { return m_controls; }
    CSkinWindow& Window() { return *m_screen.Window(); }

    virtual DemoAction OnCommand(UINT id) = 0;
    virtual DemoAction OnSlider(WPARAM) { return DemoAction::None; }
    virtual void OnTick() {}
    virtual void Apply() = 0;

protected:
    // Finds the controls the screen works with (Take) and finishes them.
    virtual bool Bind() = 0;
    // The control of component id when the map made it a T; false (with m_error) otherwise.
    template <class T> bool Take(T*& control, UINT id, const char* what) {
        control = m_screen.Get<T>(id);
        if (!control)
            m_error = m_strMapName + ": section " + m_strSection.ToUtf8() + " needs " + what +
                      " as component " + std::to_string(id);
        return control != nullptr;
    }

    CString m_strSection;
    PlayerState& m_state;
    CSkinRepository* m_pRepository = nullptr;
    CScreenControls m_screen;
    std::vector<CSkinObject*> m_controls;
    std::string m_error, m_strMapName;
};
