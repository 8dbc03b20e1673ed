// Control tests: a fresh platform, a skins folder with a repository pointed at it, and a
// top-level parent window (a probe that records the notifications it receives) on which the
// controls under test are created. Controls keep a pointer to their parent, so Parent() is a
// permanent framework object attached to the probe, never a temporary one freed at idle.
#pragma once

#include "platform/afx/wnd.h"
#include "repository/skinrepository.h"
#include "support/screen_fixture.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <memory>

class ControlTest : public ScreenTest {
protected:
    static constexpr COLORREF kParentFill = RGB(40, 40, 40);

    void SetUp() override;
    void TearDown() override;

    // Writes the skin as a package (file name `package`) with its resources and loads it.
    bool LoadSkin(const SkinDef& skin, const PackageEntries& resources = {},
                  const CString& package = u"Test.skn");
    CWnd* Parent() { return &m_parentWnd; }

    TempDir dir;
    std::unique_ptr<CSkinRepository> repository;
    std::unique_ptr<ProbeWindow> parent;

private:
    CWnd m_parentWnd;
};

// The window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND window);
