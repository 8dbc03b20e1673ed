#include "demoscreen.h"

bool CDemoScreen::Create(CWnd* host, CSkinRepository* repository) {
    m_pRepository = repository;
    if (!m_window.Create(host, m_strSection, 1, repository)) return false;
    if (!CreateControls()) return false;
    Apply();
    return true;
}

void CDemoScreen::Show(bool show) {
    m_window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CDemoScreen::IsShown() const {
    return m_window.IsWindowVisible();
}

bool CDemoScreen::Owns(HWND window) const {
    for (CSkinObject* control : m_controls)
        if (control->m_hWnd == window) return true;
    return window == m_window.m_hWnd;
}
