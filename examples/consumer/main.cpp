// consumer: a small application built against an installed skinkit (find_package(skinkit), or
// pkg-config skinkit). It loads the first skin of a skins folder, shows a skinned window with a
// skinned button on it, taps the button, checks that the click reached the application, and
// saves the screen as PNG. Each step prints a line; any failure exits non-zero.
//
//   consumer SKINS-FOLDER EXTENSION OUT.png [--section ID] [--window ID] [--button ID]
//
// The defaults (section "main", window 1, button 10) fit the sample skins.
#include "controls/skinbutton.h"
#include "controls/skinwindow.h"
#include "module/skinkitmodule.h"
#include "platform/afx/app.h"
#include "platform/afx/frame.h"
#include "platform/display/display.h"
#include "platform/user/userdevice.h"
#include "repository/skinrepository.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string folder, extension, out;
    CString section = u"main";
    UINT window = 1, button = 10;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--section") == 0 && more)
            options.section = CString::FromUtf8(argv[++i]);
        else if (std::strcmp(argv[i], "--window") == 0 && more)
            options.window = UINT(std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--button") == 0 && more)
            options.button = UINT(std::atoi(argv[++i]));
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 3) return false;
    options.folder = positional[0];
    options.extension = positional[1];
    options.out = positional[2];
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "consumer: %s\n", message.c_str());
    return 1;
}

// The main window: the skinned window on it, the button on that. The skinned window passes the
// button's clicks on to the frame, which counts them. Frames delete themselves when destroyed.
class CConsumerFrame : public CFrameWnd {
public:
    bool Create(CSkinRepository* repository, const Options& options) {
        CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        if (!CFrameWnd::Create(nullptr, u"consumer", WS_POPUP | WS_VISIBLE, screen)) return false;
        return m_window.Create(this, options.section, options.window, repository) &&
               m_button.Create(&m_window, options.section, options.button, repository);
    }
    CSkinButton& Button() { return m_button; }
    int Clicks() const { return m_nClicks; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) != m_button.GetDlgCtrlID()) return CFrameWnd::OnCommand(wParam, lParam);
        ++m_nClicks;
        return TRUE;
    }

private:
    CSkinWindow m_window;
    CSkinButton m_button;
    int m_nClicks = 0;
};

std::string Describe(const CRect& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

bool LoadFirstSkin(CSkinRepository& repository, const Options& options) {
    if (!repository.SetSkinsFolder(CString::FromUtf8(options.folder)))
        return Fail("'" + options.folder + "' is not a folder"), false;
    CStringList names;
    repository.GetAvailableSkinsList(names, CString::FromUtf8(options.extension));
    for (const CString& name : names)
        std::printf("found skin %s\n", name.ToUtf8().c_str());
    if (names.IsEmpty()) return Fail("no skins ending in '" + options.extension + "'"), false;
    if (!repository.LoadSkin(names.GetHead()))
        return Fail("cannot load skin '" + names.GetHead().ToUtf8() + "'"), false;
    std::printf("loaded skin %s\n", names.GetHead().ToUtf8().c_str());
    return true;
}

// Taps the button in its middle, as a user would, and expects exactly one click to arrive.
int TapAndSave(CConsumerFrame& frame, const Options& options) {
    if (!UserPumpUntilIdle()) return Fail("the screen did not settle");
    CRect button;
    frame.Button().GetWindowRect(&button);
    if (!frame.Button().IsWindowVisible() || button.IsRectEmpty())
        return Fail("the skin shows no button " + std::to_string(options.button));
    std::printf("button %u shown at %s\n", options.button, Describe(button).c_str());
    CPoint middle = button.CenterPoint();
    UserInjectPointerDown(middle.x, middle.y);
    UserInjectPointerUp(middle.x, middle.y);
    if (!UserPumpUntilIdle()) return Fail("the screen did not settle after the tap");
    if (frame.Clicks() != 1)
        return Fail("the tap gave " + std::to_string(frame.Clicks()) + " clicks, not 1");
    std::printf("tapped the button: the application received its click\n");
    if (!DisplaySaveScreen(options.out)) return Fail("cannot write " + options.out);
    std::printf("saved the screen to %s\n", options.out.c_str());
    return 0;
}

int Run(const Options& options) {
    CWinApp app(u"skinkit consumer");
    CSkinRepository repository;
    if (!LoadFirstSkin(repository, options)) return 1;
    auto* frame = new CConsumerFrame;
    app.m_pMainWnd = frame;
    int status = frame->Create(&repository, options) ? TapAndSave(*frame, options)
                                                     : Fail("cannot create the window");
    if (::IsWindow(frame->m_hWnd))
        frame->DestroyWindow(); // before the repository goes
    else
        delete frame;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: consumer SKINS-FOLDER EXTENSION OUT.png [--section ID] "
                             "[--window ID] [--button ID]\n");
        return 2;
    }
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    int status = Run(options);
    FreeLibrary(skinkit);
    return status;
}
