// CSkinViewer: a skin laid out as an application lays it out, by a screen map: every section of
// the map is a screen (its window and the controls on it, each of the type the map binds),
// shown one at a time on a full-screen frame, with the map's sample captions and items.
//
// The skin comes from a skins folder and a skin name, from one package, or from a skin
// definition, which the viewer builds first (images converted, as `skinpack build` does). It
// loads a copy of the packages from a folder of its own, so that a package being rewritten on
// disk never reaches the screen half written; the copy of the last good version stays until
// a newer version has loaded.
//
// Poll is one step of watching: when the definition, a file it names, or the package has
// changed since the last look, it rebuilds and reloads; a version that does not build or load
// leaves the last good one on screen and says what is wrong.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/frame.h"
#include "repository/skinrepository.h"
#include "screenmap/screencontrols.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct ViewSource {
    enum Kind { Folder, Package, Definition } kind = Package;
    std::string path;      // the skins folder, the package or the definition
    std::string extension; // Folder: the packages' extension
    std::string skin;      // Folder: the skin's name

    // FOLDER EXT SKIN, a definition (a name ending in ".xml") or a package; false with a
    // message when the arguments name none of these.
    bool Parse(const std::vector<std::string>& args, std::string& error);
};

class CSkinViewer {
public:
    CSkinViewer(ViewSource source, const CScreenMap& map);
    ~CSkinViewer();
    CSkinViewer(const CSkinViewer&) = delete;
    CSkinViewer& operator=(const CSkinViewer&) = delete;

    // Builds (for a definition), loads and makes every screen, the first one shown; false with
    // a message when the skin cannot be had.
    bool Open(std::string& error);

    const std::vector<CString>& Sections() const { return m_sections; }
    // Shows only the section's screen (by index into Sections) and lets it settle.
    bool ShowSection(size_t index);
    size_t ActiveSection() const { return m_active; }
    // Every section shown in turn and saved as folder/<skin>-<section>.png; the paths in
    // written. False with a message when a screen does not settle or a file cannot be written.
    bool SaveSections(const std::string& folder, std::vector<std::string>& written,
                      std::string& error);

    // One picture per control type, of the first shown control of that type in the map's
    // order, cut from the screen: folder/<skin>-<type>.png (with a margin of a few pixels).
    bool SaveControlPictures(const std::string& folder, std::vector<std::string>& written,
                             std::string& error);

    // Draws every shown component's rectangle with its section, id and control type over
    // the screen, on every DrawOverlay.
    void SetOutline(bool outline) { m_bOutline = outline; }
    // Draws the outline when asked for and the screen changed since it was last drawn.
    void DrawOverlay();
    // "main 10 button" for the topmost shown component at a screen point; "" when none.
    std::string Describe(POINT point) const;
    // The skin's name, for titles and file names.
    std::string SkinLabel() const { return m_label; }

    enum class PollResult { Unchanged, Reloaded, Failed };
    // One step of watching (see above); message says what was done or what is wrong.
    PollResult Poll(std::string& message);

private:
    bool BuildAndStage(std::filesystem::path& folder, std::string& name, std::string& error);
    bool LoadStaged(const std::filesystem::path& folder, const std::string& name,
                    std::string& error);
    // What the watched files hold now: a digest of their names and bytes.
    size_t Stamp() const;
    std::vector<std::filesystem::path> WatchedFiles() const;
    void ApplySamples();

    ViewSource m_source;
    const CScreenMap& m_map;
    CWinApp m_app{u"skinview"};
    CSkinRepository m_repository;
    CFrameWnd* m_pFrame = nullptr; // deletes itself when its window goes
    std::vector<std::unique_ptr<CScreenControls>> m_screens;
    std::vector<CString> m_sections;
    size_t m_active = 0;
    bool m_bOutline = false;
    uint64_t m_overlaidSerial = 0;
    std::filesystem::path m_stageRoot, m_staged; // the viewer's copies; the one loaded
    int m_nGeneration = 0;
    size_t m_stamp = 0;
    std::string m_label;
};
