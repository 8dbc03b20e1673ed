// skinview: a skin as an application lays it out, by a screen map (the demo player's unless
// --map names another): one PNG per section, or a live desktop window in which the controls
// work.
//
//   skinview [--map MAP] [--out DIR] [--section NAME] [--outline] [--controls] [--window]
//            [--watch] (FOLDER EXT SKIN | PACKAGE | DEFINITION)
//
// A definition (a file ending in ".xml") is built first, as `skinpack build` builds it.
// --controls also saves one picture of each control type (DIR/<skin>-<type>.png).
// --outline draws every component's rectangle with its section, id and control type; in the
// window the title names the component under the pointer. --watch follows the definition, the
// files it names, or the package: every change is rebuilt, reloaded and shown again within a
// second; a version that does not build or load leaves the last good one showing and the
// problem is printed. In the window, Tab and the arrow keys change the section shown.
#include "demomap.h"
#include "module/skinkitmodule.h"
#include "platform/display/display.h"
#include "platform/user/userdevice.h"
#include "viewer.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(250);

struct Options {
    std::string map, out = ".", section;
    bool outline = false, window = false, watch = false, controls = false;
    std::vector<std::string> source;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--map") == 0 && more)
            o.map = argv[++i];
        else if (std::strcmp(argv[i], "--out") == 0 && more)
            o.out = argv[++i];
        else if (std::strcmp(argv[i], "--section") == 0 && more)
            o.section = argv[++i];
        else if (std::strcmp(argv[i], "--outline") == 0)
            o.outline = true;
        else if (std::strcmp(argv[i], "--window") == 0)
            o.window = true;
        else if (std::strcmp(argv[i], "--watch") == 0)
            o.watch = true;
        else if (std::strcmp(argv[i], "--controls") == 0)
            o.controls = true;
        else if (argv[i][0] == '-' && argv[i][1] == '-')
            return false;
        else
            o.source.push_back(argv[i]);
    }
    return !o.source.empty();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "skinview: %s\n", message.c_str());
    return 1;
}

bool Report(CSkinViewer::PollResult result, const std::string& message) {
    if (result == CSkinViewer::PollResult::Failed)
        std::fprintf(stderr, "skinview: %s\n", message.c_str());
    if (result == CSkinViewer::PollResult::Reloaded) std::printf("%s\n", message.c_str());
    std::fflush(stdout);
    return result == CSkinViewer::PollResult::Reloaded;
}

int SaveAll(CSkinViewer& viewer, const Options& o) {
    std::vector<std::string> written;
    std::string error;
    std::error_code made;
    std::filesystem::create_directories(o.out, made); // a folder that cannot be made fails below
    if (!o.section.empty()) { // only the one asked for
        const auto& sections = viewer.Sections();
        for (size_t i = 0; i < sections.size(); ++i) {
            if (sections[i].CompareNoCase(CString::FromUtf8(o.section)) != 0) continue;
            std::string path = o.out + "/" + viewer.SkinLabel() + "-" + o.section + ".png";
            if (!viewer.ShowSection(i) || !DisplaySaveScreen(path))
                return Fail("cannot write " + path);
            std::printf("saved %s\n", path.c_str());
            return 0;
        }
        return Fail("the map has no section " + o.section);
    }
    if (!viewer.SaveSections(o.out, written, error) ||
        (o.controls && !viewer.SaveControlPictures(o.out, written, error)))
        return Fail(error);
    for (const std::string& path : written)
        std::printf("saved %s\n", path.c_str());
    std::fflush(stdout);
    return 0;
}

int RunHeadless(CSkinViewer& viewer, const Options& o) {
    if (int failed = SaveAll(viewer, o); failed || !o.watch) return failed;
    for (;;) { // until interrupted
        std::this_thread::sleep_for(kPollInterval);
        std::string message;
        if (Report(viewer.Poll(message), message)) SaveAll(viewer, o);
    }
}

int RunWindow(CSkinViewer& viewer, DesktopWindow& desktop, const Options& o) {
    auto lastPoll = std::chrono::steady_clock::now();
    std::string title;
    for (size_t i = 0; i < viewer.Sections().size(); ++i)
        if (viewer.Sections()[i].CompareNoCase(CString::FromUtf8(o.section)) == 0)
            viewer.ShowSection(i);
    while (desktop.IsOpen() && UserWaitForInput()) {
        UserPumpUntilIdle();
        if (o.watch && std::chrono::steady_clock::now() - lastPoll >= kPollInterval) {
            lastPoll = std::chrono::steady_clock::now();
            std::string message;
            Report(viewer.Poll(message), message);
        }
        viewer.DrawOverlay();
        POINT pointer{};
        GetCursorPos(&pointer);
        std::string now = "skinview: " + viewer.SkinLabel() + " - " +
                          viewer.Sections()[viewer.ActiveSection()].ToUtf8();
        if (o.outline)
            if (std::string under = viewer.Describe(pointer); !under.empty()) now += " - " + under;
        if (now != title) desktop.SetTitle((title = now).c_str());
    }
    return 0;
}

int Run(const Options& o) {
    CScreenMap map;
    std::vector<std::string> errors;
    bool parsed = o.map.empty() ? map.Parse(DemoScreenMapText(), kDemoScreenMapName, errors)
                                : map.Load(o.map, errors);
    if (!parsed) {
        for (const std::string& e : errors)
            std::fprintf(stderr, "%s\n", e.c_str());
        return 1;
    }
    ViewSource source;
    std::string error;
    if (!source.Parse(o.source, error)) return Fail(error);
    std::unique_ptr<DesktopWindow> desktop;
    if (o.window && !(desktop = DesktopWindow::Open(2, "skinview")))
        std::fprintf(stderr, "skinview: no display here; rendering headless\n");
    CSkinViewer viewer(source, map);
    viewer.SetOutline(o.outline);
    if (!viewer.Open(error)) return Fail(error);
    return desktop ? RunWindow(viewer, *desktop, o) : RunHeadless(viewer, o);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr, "usage: skinview [--map MAP] [--out DIR] [--section NAME] [--outline] "
                    "[--controls] [--window] [--watch] (FOLDER EXT SKIN | PACKAGE | DEFINITION)\n");
        return 2;
    }
    HMODULE skinkit = LoadLinkedLibrary(u"skinkit", SkinkitEntry);
    int status = Run(options);
    FreeLibrary(skinkit);
    return status;
}
