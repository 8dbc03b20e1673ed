#include "support/control_fixture.h"

void ControlTest::SetUp() {
    ScreenTest::SetUp();
    repository = std::make_unique<CSkinRepository>();
    ASSERT_TRUE(repository->SetSkinsFolder(dir.Path()));
    parent = std::make_unique<ProbeWindow>(nullptr, RECT{0, 0, m_width, m_height}, kParentFill, 0,
                                           WS_POPUP | WS_VISIBLE);
    m_parentWnd.Attach(parent->hwnd());
    Pump();
}

void ControlTest::TearDown() {
    repository.reset();
    m_parentWnd.Detach();
    parent.reset();
    ScreenTest::TearDown();
}

bool ControlTest::LoadSkin(const SkinDef& skin, const PackageEntries& resources,
                           const CString& package) {
    if (!WriteSkinPackage(dir / package, skin, resources)) return false;
    bool loaded = repository->LoadSkin(package);
    Pump();
    return loaded;
}

RECT ChildRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
