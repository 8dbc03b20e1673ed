// The demo player's screens driven by arbitrary bytes as a user's input: taps, drags, double
// taps, presses and releases anywhere, controls enabled and disabled, screens shown, skins
// switched, the clock run. Every pump must reach idle, and once the screens are destroyed no
// graphics object may be left.
//
// The bytes are events: one byte picks the event from the table (modulo its size), the next
// bytes are its arguments. Later controls join by adding rows. The playlist's rows have events
// of their own that aim at its skinned bar (arrows, shaft, elevator) and its rows, held and
// dragged, with the clock running for the bar's repeat; they show the playlist first. Popups
// (the skin chooser's menu, the options) run their own loop: events queue what each of its
// waits does (a tap, a key, DropDown(false)), and with nothing left it closes as a tap outside
// would. The folder chooser's tree does not wait: taps after it has opened reach it through
// its capture.
#include "demoframe.h"
#include "generate.h"
#include "platform/afx/wnd.h"
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "skindesc/skinbuilder.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::string g_skins; // the folder holding ocean.sdf and paper.sdf

void Settle() {
    if (!UserPumpUntilIdle()) std::abort();
}

int X(uint8_t b) {
    return b * 240 / 256;
}
int Y(uint8_t b) {
    return b * 320 / 256;
}

void Tap(int x, int y) {
    UserInjectPointerDown(x, y);
    Settle();
    UserInjectPointerUp(x, y);
    Settle();
}

// What the waits of the next popup do, in order.
std::deque<std::function<void()>> g_popupSteps;

bool RunPopupStep() {
    if (g_popupSteps.empty()) return false;
    std::function<void()> step = std::move(g_popupSteps.front());
    g_popupSteps.pop_front();
    step();
    return true;
}

// A tap on the middle of r, a rectangle of control's client area.
void TapControl(CWnd& control, const CRect& r) {
    CPoint p = r.CenterPoint();
    control.ClientToScreen(&p);
    Tap(p.x, p.y);
}

CSettingsScreen& Settings(CDemoFrame& frame) {
    frame.ShowScreen(CDemoFrame::kSettings);
    Settle();
    return frame.Settings();
}

void OpenOptions(CDemoFrame& frame, const uint8_t*) {
    frame.ShowScreen(CDemoFrame::kPlayer);
    Settle();
    CRect client;
    frame.Player().Logo().GetClientRect(&client);
    TapControl(frame.Player().Logo(), client);
}

const UINT kPopupKeys[] = {VK_UP, VK_DOWN, VK_RETURN, VK_ESCAPE, VK_LEFT};
const char16_t* const kFolders[] = {u"albums", u"Lanterns", u"Jazz", u"Nowhere"};

struct Event {
    size_t arguments;
    void (*run)(CDemoFrame& frame, const uint8_t* a);
};

CPlaylistScreen& Playlist(CDemoFrame& frame) {
    auto& screen = static_cast<CPlaylistScreen&>(frame.GetScreen(CDemoFrame::kPlaylist));
    if (&frame.ActiveScreen() != &screen) {
        frame.ShowScreen(CDemoFrame::kPlaylist);
        Settle();
    }
    return screen;
}

// A point of the playlist's bar in screen coordinates: part 0 the less arrow, 1 the more
// arrow, 2 the elevator, 3 anywhere on the bar; offset moves it along the part.
POINT BarPoint(CDemoFrame& frame, uint8_t part, uint8_t offset) {
    CSkinScrollBar& bar = Playlist(frame).List().ScrollBar();
    CRect rect = part % 4 == 0   ? bar.ArrowLessRect()
                 : part % 4 == 1 ? bar.ArrowMoreRect()
                 : part % 4 == 2 ? bar.ElevatorRect()
                                 : CRect(0, 0, 16, 320);
    POINT p{rect.left + rect.Width() / 2, rect.top + (rect.Height() + 1) * offset / 256};
    ::ClientToScreen(bar.m_hWnd, &p);
    return p;
}

void Hold(POINT p, DWORD ms) {
    UserInjectPointerDown(p.x, p.y);
    Settle();
    UserAdvanceTime(ms);
    Settle();
    UserInjectPointerUp(p.x, p.y);
}

// Drags the elevator by (dx, dy) in four moves.
void DragElevator(CDemoFrame& frame, const uint8_t* a) {
    POINT from = BarPoint(frame, 2, a[0]);
    int dx = int8_t(a[1]) / 2, dy = int8_t(a[2]) * 3;
    UserInjectPointerDown(from.x, from.y);
    Settle();
    for (int i = 1; i <= 4; ++i) {
        UserInjectPointerMove(from.x + dx * i / 4, from.y + dy * i / 4);
        Settle();
    }
    UserInjectPointerUp(from.x + dx, from.y + dy);
}

// Rows go and come: one deleted, one inserted, all deleted, or the library again.
void ChangeRows(CDemoFrame& frame, const uint8_t* a) {
    CPlaylistCtrl& rows = Playlist(frame).Tracks();
    int count = rows.GetItemCount();
    switch (a[0] % 4) {
    case 0:
        if (count > 0) rows.DeleteItem(a[1] % count);
        break;
    case 1:
        rows.InsertItem(count > 0 ? a[1] % count : 0, u"Extra");
        break;
    case 2:
        rows.DeleteAllItems();
        break;
    default:
        for (int i = 0; i < a[1] % 40; ++i)
            rows.InsertItem(i, PlayerState::ListText(i));
        break;
    }
}

const Event kEvents[] = {
    {2, [](CDemoFrame&, const uint8_t* a) { Tap(X(a[0]), Y(a[1])); }},
    {2, [](CDemoFrame&, const uint8_t* a) { Tap(X(a[0]), Y(a[1])), Tap(X(a[0]), Y(a[1])); }},
    {4,
     [](CDemoFrame&, const uint8_t* a) {
         UserInjectPointerDown(X(a[0]), Y(a[1]));
         Settle();
         for (int i = 1; i <= 4; ++i) {
             UserInjectPointerMove(X(a[0]) + (X(a[2]) - X(a[0])) * i / 4,
                                   Y(a[1]) + (Y(a[3]) - Y(a[1])) * i / 4);
             Settle();
         }
         UserInjectPointerUp(X(a[2]), Y(a[3]));
     }},
    {2, [](CDemoFrame&, const uint8_t* a) { UserInjectPointerDown(X(a[0]), Y(a[1])); }},
    {2, [](CDemoFrame&, const uint8_t* a) { UserInjectPointerMove(X(a[0]), Y(a[1])); }},
    {2, [](CDemoFrame&, const uint8_t* a) { UserInjectPointerUp(X(a[0]), Y(a[1])); }},
    {2,
     [](CDemoFrame& frame, const uint8_t* a) { // enable or disable a control of the screen
         const auto& controls = frame.ActiveScreen().Controls();
         if (!controls.empty()) controls[a[0] % controls.size()]->EnableWindow(a[1] & 1);
     }},
    {0, [](CDemoFrame& frame, const uint8_t*) { frame.SwitchSkin(); }},
    {1,
     [](CDemoFrame& frame, const uint8_t* a) {
         frame.ShowScreen(CDemoFrame::Screen(a[0] % CDemoFrame::kScreenCount));
     }},
    {1, [](CDemoFrame&, const uint8_t* a) { UserAdvanceTime(DWORD(a[0]) * 10); }},
    {2,
     [](CDemoFrame& frame, const uint8_t* a) {
         POINT p = BarPoint(frame, a[0], a[1]);
         Tap(p.x, p.y);
     }},
    {3, [](CDemoFrame& frame,
           const uint8_t* a) { Hold(BarPoint(frame, a[0], a[1]), DWORD(a[2]) * 5); }},
    {3, DragElevator},
    {1,
     [](CDemoFrame& frame, const uint8_t* a) { // a row of the list
         CPlaylistCtrl& rows = Playlist(frame).Tracks();
         CRect client;
         rows.GetClientRect(&client);
         POINT p{client.Width() / 3, client.Height() * a[0] / 256};
         ::ClientToScreen(rows.m_hWnd, &p);
         Tap(p.x, p.y);
     }},
    {2, ChangeRows},
    {1, [](CDemoFrame&, const uint8_t* a) { UserAdvanceTime(DWORD(a[0] % 8) * 25); }},
    {2,
     [](CDemoFrame&, const uint8_t* a) {
         g_popupSteps.push_back([x = X(a[0]), y = Y(a[1])] {
             UserInjectPointerDown(x, y);
             UserInjectPointerUp(x, y);
         });
     }},
    {1,
     [](CDemoFrame&, const uint8_t* a) {
         g_popupSteps.push_back([key = kPopupKeys[a[0] % std::size(kPopupKeys)]] {
             UserInjectKey(key, true);
             UserInjectKey(key, false);
         });
     }},
    {0,
     [](CDemoFrame& frame, const uint8_t*) {
         g_popupSteps.push_back([&frame] { frame.Settings().SkinChooser().DropDown(false); });
     }},
    {0,
     [](CDemoFrame& frame, const uint8_t*) {
         CSkinDropList& chooser = Settings(frame).SkinChooser();
         TapControl(chooser, chooser.LabelBox());
     }},
    {0, OpenOptions},
    {0,
     [](CDemoFrame& frame, const uint8_t*) {
         CSkinDropTree& folders = Settings(frame).FolderChooser();
         TapControl(folders, folders.LabelBox());
     }},
    {1,
     [](CDemoFrame& frame, const uint8_t* a) {
         CSkinDropTree& folders = frame.Settings().FolderChooser();
         if (a[0] & 4)
             folders.DropDown(a[0] & 1);
         else
             folders.SelectItem(kFolders[a[0] % std::size(kFolders)]);
     }},
    {2,
     [](CDemoFrame& frame, const uint8_t* a) {
         UINT item = a[0] & 1 ? a[1] % 4 : CSettingsScreen::kFirstSkinCommand + a[1] % 4;
         frame.Settings().SkinChooser().Select(item, a[0] & 1 ? MF_BYPOSITION : MF_BYCOMMAND);
     }},
};

// Draws and packs the two sample skins once, into a folder of their own.
bool MakeSampleSkins() {
    auto root = std::filesystem::temp_directory_path() / "skinkit-fuzz-demo";
    std::filesystem::create_directories(root / "skins");
    for (const char* name : {"ocean", "paper"}) {
        std::string definition =
            std::string(SKINKIT_SOURCE_DIR) + "/examples/skins/" + name + "/" + name + ".xml";
        std::string error, folder = (root / name).string();
        if (!GenerateSkin(definition, folder, error)) return false;
        CString xml = CString::FromUtf8(folder + "/" + name + ".xml");
        if (!BuildSkin(xml, nullptr)) return false;
        std::filesystem::copy_file(folder + "/" + name + ".sdf",
                                   root / "skins" / (std::string(name) + ".sdf"),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    g_skins = (root / "skins").string();
    return true;
}

// Every screen and popup shown once on each skin before fuzzing starts: fontconfig keeps what
// it learns about each font for the life of the process, which a run must not count as its
// own leak.
void WarmUp() {
    const uint8_t events[] = {8, 0, 8, 1, 19, 20, 21, 8, 2, 7, 8, 0, 8, 1, 19, 20, 21, 8, 2};
    LLVMFuzzerTestOneInput(events, sizeof events);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (!MakeSampleSkins()) std::abort();
    WarmUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UserResetPlatform();
    g_popupSteps.clear();
    UserSetWaitHook(RunPopupStep);
    const GdiObjectCounts start = GdiGetObjectCounts();
    {
        CSkinRepository repository;
        if (!repository.SetSkinsFolder(CString::FromUtf8(g_skins))) std::abort();
        if (!repository.LoadSkin(u"ocean.sdf")) std::abort();
        auto* frame = new CDemoFrame; // deletes itself when its window is destroyed
        std::string error;
        if (!frame->Create(&repository, {u"ocean.sdf", u"paper.sdf"}, error)) std::abort();
        Settle();
        for (size_t at = 0; at < size;) {
            const Event& event = kEvents[data[at++] % std::size(kEvents)];
            if (size - at < event.arguments) break;
            event.run(*frame, data + at);
            at += event.arguments;
            Settle();
        }
        frame->DestroyWindow();
        Settle();
    }
    UserSetWaitHook(nullptr);
    AfxDeleteTempMaps();
    if (!(GdiGetObjectCounts() == start)) std::abort();
    return 0;
}
