// The skinkit demo: a small music player built from skinned controls, on any of the skins in
// a folder.
//
//   demo SKINS-FOLDER EXTENSION [--out DIR] [--script FILE] [--window]
//
// It lists the skins in the folder and loads the first. Headless, it renders each screen on
// each skin to DIR/<skin>-<screen>.png (switching skins as the user would), and the popups
// open over their screens to DIR/<skin>-<popup>.png, and prints the paths. With --script it replays
// the file's taps and drags instead and saves DIR/step-NN.png after each step. With --window and a
// display it opens a desktop window and runs until the user closes it.
#include "demoframe.h"
#include "module/skinkitmodule.h"
#include "platform/afx/app.h"
#include "platform/display/display.h"
#include "platform/user/userdevice.h"
#include "script.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string folder, extension, out = ".", script;
    bool window = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--out") == 0 && more)
            options.out = argv[++i];
        else if (std::strcmp(argv[i], "--script") == 0 && more)
            options.script = argv[++i];
        else if (std::strcmp(argv[i], "--window") == 0)
            options.window = true;
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() != 2) return false;
    options.folder = positional[0];
    options.extension = positional[1];
    return true;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "demo: %s\n", message.c_str());
    return 1;
}

bool Save(const std::string& path) {
    if (!DisplaySaveScreen(path)) return false;
    std::printf("saved %s\n", path.c_str());
    return true;
}

// Taps the middle of the control's rectangle r (client coordinates); when a popup opens, the
// down arrow highlights its item number `highlight`, the screen is saved to path, and the
// popup is closed as by a tap outside it.
bool SaveOpenPopup(CWnd& control, const CRect& r, int highlight, const std::string& path) {
    bool saved = false;
    int keys = 0;
    UserSetWaitHook([&] {
        if (keys++ < highlight)
            return UserInjectKey(VK_DOWN, true), UserInjectKey(VK_DOWN, false), true;
        return saved = Save(path), false;
    });
    CPoint p = r.CenterPoint();
    control.ClientToScreen(&p);
    UserInjectPointerDown(p.x, p.y);
    bool settled = bool(UserPumpUntilIdle());
    UserInjectPointerUp(p.x, p.y);
    settled = UserPumpUntilIdle() && settled;
    UserSetWaitHook(nullptr);
    return saved && settled;
}

// The folder chooser open over the settings: it does not wait, so it is closed again here.
bool SaveOpenTree(CSkinDropTree& folders, const std::string& path) {
    CPoint p = folders.LabelBox().CenterPoint();
    folders.ClientToScreen(&p);
    UserInjectPointerDown(p.x, p.y);
    UserInjectPointerUp(p.x, p.y);
    bool saved = UserPumpUntilIdle() && folders.GetTree()->IsWindowVisible() && Save(path);
    folders.DropDown(false);
    return UserPumpUntilIdle() && saved;
}

// The skin chooser, the folder chooser and the options, open over their screens.
int RenderPopups(CDemoFrame& frame, const Options& options, const std::string& skin) {
    frame.ShowScreen(CDemoFrame::kSettings);
    CSkinDropList& chooser = frame.Settings().SkinChooser();
    if (!UserPumpUntilIdle() ||
        !SaveOpenPopup(chooser, chooser.LabelBox(), 2, options.out + "/" + skin + "-skins.png"))
        return Fail("cannot show the skin chooser");
    if (!SaveOpenTree(frame.Settings().FolderChooser(), options.out + "/" + skin + "-folders.png"))
        return Fail("cannot show the folder chooser");
    frame.ShowScreen(CDemoFrame::kPlayer);
    CSkinImage& logo = frame.Player().Logo();
    CRect client;
    logo.GetClientRect(&client);
    if (!UserPumpUntilIdle() ||
        !SaveOpenPopup(logo, client, 1, options.out + "/" + skin + "-options.png"))
        return Fail("cannot show the options");
    return 0;
}

// Every screen on every skin, from the first skin round to it again.
int RenderScreens(CDemoFrame& frame, const Options& options, size_t skins) {
    for (size_t i = 0; i < skins; ++i) {
        std::string skin = frame.CurrentSkin().ToUtf8();
        skin = skin.substr(0, skin.rfind('.'));
        for (auto [screen, name] : {std::pair{CDemoFrame::kPlayer, "player"},
                                    std::pair{CDemoFrame::kSettings, "settings"},
                                    std::pair{CDemoFrame::kPlaylist, "playlist"}}) {
            frame.ShowScreen(screen);
            if (!UserPumpUntilIdle()) return Fail("the screen did not settle");
            if (!Save(options.out + "/" + skin + "-" + name + ".png"))
                return Fail("cannot write into " + options.out);
        }
        if (int failed = RenderPopups(frame, options, skin)) return failed;
        frame.ShowScreen(CDemoFrame::kPlayer);
        if (skins > 1 && !frame.SwitchSkin()) return Fail("cannot switch skins");
    }
    return 0;
}

int RunScript(const Options& options) {
    std::ifstream in(options.script);
    if (!in) return Fail("cannot read " + options.script);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<ScriptStep> steps;
    std::string error;
    if (!ParseScript(text, steps, error)) return Fail(options.script + ": " + error);
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!RunScriptStep(steps[i]))
            return Fail("step on line " + std::to_string(steps[i].line) + " did not settle");
        char name[32];
        std::snprintf(name, sizeof name, "/step-%02zu.png", i + 1);
        if (!Save(options.out + name)) return Fail("cannot write into " + options.out);
    }
    return 0;
}

class CDemoApp : public CWinApp {
public:
    explicit CDemoApp(Options options) : CWinApp(u"skinkit demo"), m_options(std::move(options)) {}

    BOOL InitInstance() override {
        if (!m_repository.SetSkinsFolder(CString::FromUtf8(m_options.folder)))
            return Fail("'" + m_options.folder + "' is not a folder"), FALSE;
        CStringList names;
        m_repository.GetAvailableSkinsList(names, CString::FromUtf8(m_options.extension));
        for (const CString& name : names) {
            m_skins.push_back(name);
            std::printf("skin %s\n", name.ToUtf8().c_str());
        }
        if (m_skins.empty()) return Fail("no skins ending in '" + m_options.extension + "'"), FALSE;
        if (!m_repository.LoadSkin(m_skins.front(), nullptr, true, true))
            return Fail("cannot load skin '" + m_skins.front().ToUtf8() + "'"), FALSE;
        m_pFrame = new CDemoFrame; // frames delete themselves when destroyed
        m_pMainWnd = m_pFrame;
        if (std::string error; !m_pFrame->Create(&m_repository, m_skins, error))
            return Fail("cannot build the screens: " + error), FALSE;
        return TRUE;
    }

    CDemoFrame* Frame() { return m_pFrame; }
    size_t SkinCount() const { return m_skins.size(); }

private:
    Options m_options;
    CSkinRepository m_repository;
    std::vector<CString> m_skins;
    CDemoFrame* m_pFrame = nullptr;
};

int Run(CDemoApp& app, const Options& options) {
    std::unique_ptr<DesktopWindow> desktop;
    if (options.window && !(desktop = DesktopWindow::Open(2, "skinkit demo")))
        std::fprintf(stderr, "demo: no display here; rendering headless\n");
    if (!app.InitInstance()) return 1;
    if (desktop) return app.Run(), 0;
    if (!UserPumpUntilIdle()) return Fail("the first screen did not settle");
    if (!options.script.empty()) return RunScript(options);
    return RenderScreens(*app.Frame(), options, app.SkinCount());
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: demo SKINS-FOLDER EXTENSION [--out DIR] [--script FILE] [--window]\n");
        return 2;
    }
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    int status = 1;
    {
        CDemoApp app(options);
        status = Run(app, options);
        if (CWnd* main = app.GetMainWnd(); main && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    }
    FreeLibrary(skinkit);
    return status;
}
