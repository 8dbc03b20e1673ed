#include "demoscreen.h"

bool CDemoScreen::Create(CWnd* host, CSkinRepository* repository, const CScreenMap& map,
                         std::string& error) {
    m_pRepository = repository;
    m_strMapName = map.Name();
    if (!m_screen.Create(map, m_strSection, host, repository, error)) return false;
    for (const CScreenControls::Control& c : m_screen.Controls())
        if (c.control != m_screen.Window()) m_controls.push_back(c.control);
    if (!Bind()) return error = m_error, false;
    Apply();
    return true;
}

void CDemoScreen::Show(bool show) {
    Window().ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CDemoScreen::IsShown() const {
    return m_screen.Window()->IsWindowVisible();
}

bool CDemoScreen::Owns(HWND window) const {
    for (const CScreenControls::Control& c : m_screen.Controls())
        if (c.control->m_hWnd == window) return true;
    return false;
}
