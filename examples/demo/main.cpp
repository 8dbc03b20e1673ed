// The skinkit demo: an application whose screen is built from skinned controls.
//
//   demo SKINS-FOLDER EXTENSION [SKIN] [--png OUT] [--window]
//
// It loads skinkit, points a skin repository at the folder, lists the skins there, loads the
// chosen one (the first listed by default) and shows a frame window holding the skin's
// "main" window. Headless, it renders the screen to OUT (default demo.png) and prints the
// path; with --window and a display it opens a desktop window until the user closes it.
#include "controls/skinwindow.h"
#include "module/skinkitmodule.h"
#include "platform/afx/app.h"
#include "platform/afx/frame.h"
#include "platform/display/display.h"
#include "repository/skinrepository.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string folder, extension, skin, png = "demo.png";
    bool window = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            options.png = argv[++i];
        else if (std::strcmp(argv[i], "--window") == 0)
            options.window = true;
        else
            positional.push_back(argv[i]);
    }
    if (positional.size() < 2 || positional.size() > 3) return false;
    options.folder = positional[0];
    options.extension = positional[1];
    if (positional.size() == 3) options.skin = positional[2];
    return true;
}

// The application's main window; commands from the skinned screen arrive here.
class CDemoFrame : public CFrameWnd {
public:
    CSkinWindow screen;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        std::printf("command %u from the skinned screen\n", unsigned(LOWORD(wParam)));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class CDemoApp : public CWinApp {
public:
    explicit CDemoApp(Options options) : CWinApp(u"skinkit demo"), m_options(std::move(options)) {}

    BOOL InitInstance() override {
        if (!m_repository.SetSkinsFolder(CString::FromUtf8(m_options.folder)))
            return Fail("'" + m_options.folder + "' is not a folder");
        CStringList skins;
        m_repository.GetAvailableSkinsList(skins, CString::FromUtf8(m_options.extension));
        std::printf("skins in %s:\n", m_options.folder.c_str());
        for (const CString& skin : skins) std::printf("  %s\n", skin.ToUtf8().c_str());
        if (skins.IsEmpty()) return Fail("no skins ending in '" + m_options.extension + "'");
        CString choice = m_options.skin.empty() ? skins.GetHead() : CString::FromUtf8(m_options.skin);

        tagSKININFORMATION info;
        if (m_repository.GetSkinInformation(choice, info))
            std::printf("loading %s: \"%s\" %s by %s\n", choice.ToUtf8().c_str(),
                        info.name.ToUtf8().c_str(), info.version.ToUtf8().c_str(),
                        info.author.ToUtf8().c_str());
        if (!m_repository.LoadSkin(choice, nullptr, true, true))
            return Fail("cannot load skin '" + choice.ToUtf8() + "'");

        auto* frame = new CDemoFrame; // frames delete themselves when destroyed
        m_pMainWnd = frame;
        SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!frame->Create(nullptr, u"skinkit demo", WS_POPUP | WS_VISIBLE,
                           CRect(0, 0, screen.cx, screen.cy)))
            return Fail("cannot create the main window");
        if (!frame->screen.Create(frame, u"main", 1, &m_repository))
            return Fail("cannot create the skinned screen");
        return TRUE;
    }

private:
    BOOL Fail(const std::string& message) {
        std::fprintf(stderr, "demo: %s\n", message.c_str());
        return FALSE;
    }

    Options m_options;
    CSkinRepository m_repository;
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: demo SKINS-FOLDER EXTENSION [SKIN] [--png OUT] [--window]\n");
        return 2;
    }
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    int status = 1;
    {
        CDemoApp app(options);
        std::unique_ptr<DesktopWindow> desktop;
        if (options.window) {
            desktop = DesktopWindow::Open(2, "skinkit demo");
            if (!desktop) std::fprintf(stderr, "demo: no display here; rendering headless\n");
        }
        if (app.InitInstance()) {
            app.Run(); // headless, it returns once everything is painted
            if (DisplaySaveScreen(options.png)) {
                std::printf("screen saved to %s\n", options.png.c_str());
                status = 0;
            } else {
                std::fprintf(stderr, "demo: cannot write '%s'\n", options.png.c_str());
            }
        }
        if (CWnd* main = app.GetMainWnd(); main && ::IsWindow(main->m_hWnd)) main->DestroyWindow();
    }
    FreeLibrary(skinkit);
    return status;
}
