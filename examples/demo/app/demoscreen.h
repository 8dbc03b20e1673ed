// CDemoScreen: one screen of the demo, a skinned window of one skin section with the controls
// on it. A screen turns its controls' notifications into changes of the player's state and
// tells the frame where to go next; Apply shows the state again after every skin change (an
// Update puts captions, slider thumbs and such back to what the skin says).
//
// New screens derive from it: CreateControls makes the controls through Add, OnCommand and
// OnSlider react, Apply shows the state.
#pragma once

#include "controls/skinwindow.h"
#include "playerstate.h"

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

    // The skinned window (component 1 of the section) on host, then the controls on it.
    bool Create(CWnd* host, CSkinRepository* repository);
    void Show(bool show);
    bool IsShown() const;
    // Whether window is one of this screen's controls.
    bool Owns(HWND window) const;
    // The controls, in creation order (for drivers that enable, disable or press them).
    const std::vector<CSkinObject*>& Controls() const { return m_controls; }
    CSkinWindow& Window() { return m_window; }

    virtual DemoAction OnCommand(UINT id) = 0;
    virtual DemoAction OnSlider(WPARAM) { return DemoAction::None; }
    virtual void OnTick() {}
    virtual void Apply() = 0;

protected:
    virtual bool CreateControls() = 0;
    // Creates control as component id of the screen's section and lists it.
    template <class Control> bool Add(Control& control, UINT id) {
        m_controls.push_back(&control);
        return control.Create(&m_window, m_strSection, id, m_pRepository);
    }

    CString m_strSection;
    PlayerState& m_state;
    CSkinRepository* m_pRepository = nullptr;
    CSkinWindow m_window;
    std::vector<CSkinObject*> m_controls;
};
