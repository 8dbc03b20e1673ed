#include "viewer.h"

#include "archive/zarchive.h"
#include "common/convertingbuild.h"
#include "platform/display/display.h"
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "skindesc/indexheader.h"
#include "skindesc/skindescription.h"

#include <fstream>
#include <iterator>
#include <set>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr COLORREF kOutlineColor = RGB(255, 48, 160);
constexpr COLORREF kWindowOutlineColor = RGB(0, 224, 255);

bool EndsWithNoCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::tolower(text[text.size() - end.size() + i]) != end[i]) return false;
    return true;
}

CString DevicePathOf(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return CString::FromUtf8((ec ? path : absolute).string());
}

std::string ReadAll(const fs::path& path, bool& found) {
    std::error_code ec;
    found = false;
    if (!fs::is_regular_file(path, ec)) return "";
    std::ifstream in(path, std::ios::binary);
    found = bool(in);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The builder's messages, one a line.
std::string Lines(const CString& messages) {
    std::string text = messages.ToUtf8();
    for (size_t at; (at = text.find("\n\r")) != text.npos;)
        text.replace(at, 2, "\n");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// Whether a package would load whole: the repository takes a package with an accepted index
// header and a description, and uses only the start of a damaged description.
bool CheckPackage(const fs::path& package, std::string& error) {
    std::string name = package.filename().string();
    CZArchive archive;
    if (!archive.Open(DevicePathOf(package), CZArchive::modeExtract))
        return error = name + ": not a package, or damaged", false;
    CMemFile index(1024), xml(1024);
    BYTE header[kIndexHeaderSize];
    if (!archive.Extract(u".index", index) || !ReadIndexHeader(index, header))
        return error = name + ": no index header the library accepts", false;
    tagSKIN skin;
    if (!archive.Extract(u".xml", xml) || !ReadDescription(xml, skin))
        return error = name + ": the description is missing or damaged", false;
    return true;
}

// Every file a definition names ("file" attributes and properties), beside the definition.
void NamedFiles(const tagSECTION& section, const fs::path& folder, std::vector<fs::path>& files) {
    ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
        auto add = [&](const CString& type, const CString& value) {
            if (type.CompareNoCase(u"file") == 0 && !value.IsEmpty()) {
                CString name = value;
                name.Replace(u'\\', u'/');
                files.push_back(folder / name.ToUtf8());
            }
        };
        ForEachRecord<tagATTRIBUTE>(c.attributes,
                                    [&](const tagATTRIBUTE& a) { add(a.type, a.value); });
        ForEachRecord<tagPROPERTY>(c.properties,
                                   [&](const tagPROPERTY& p) { add(p.type, p.value); });
    });
}

// The viewer's main window: Tab or the right arrow shows the next section, the left arrow the
// previous one (keys reach it while no control has the focus).
class CViewerFrame : public CFrameWnd {
public:
    explicit CViewerFrame(CSkinViewer& viewer) : m_viewer(viewer) {}

protected:
    afx_msg void OnKeyDown(UINT key, UINT, UINT) {
        size_t count = m_viewer.Sections().size();
        if (count == 0) return;
        if (key == VK_TAB || key == VK_RIGHT)
            m_viewer.ShowSection((m_viewer.ActiveSection() + 1) % count);
        else if (key == VK_LEFT)
            m_viewer.ShowSection((m_viewer.ActiveSection() + count - 1) % count);
    }

private:
    CSkinViewer& m_viewer;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CViewerFrame, CFrameWnd)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

} // namespace

bool ViewSource::Parse(const std::vector<std::string>& args, std::string& error) {
    std::error_code ec;
    if (args.size() == 3) { // FOLDER EXT SKIN: a package of the folder, or a folder of packages
        fs::path folder = args[0];
        if (!fs::is_directory(folder, ec)) return error = args[0] + " is not a folder", false;
        for (fs::path candidate :
             {folder / args[2], folder / (args[2] + "." + args[1]), folder / (args[2] + args[1])}) {
            if (fs::is_regular_file(candidate, ec)) {
                kind = Package;
                path = candidate.string();
                return true;
            }
            if (fs::is_directory(candidate, ec)) {
                kind = Folder;
                path = candidate.string();
                extension = args[1];
                skin = args[2];
                return true;
            }
        }
        return error = "no skin " + args[2] + " in " + args[0], false;
    }
    if (args.size() != 1)
        return error = "expected FOLDER EXT SKIN, a package or a definition", false;
    path = args[0];
    if (!fs::is_regular_file(path, ec)) return error = "no file " + path, false;
    kind = EndsWithNoCase(path, ".xml") ? Definition : Package;
    return true;
}

CSkinViewer::CSkinViewer(ViewSource source, const CScreenMap& map)
    : m_source(std::move(source)), m_map(map), m_sections(map.Sections()) {
    static int s_viewers = 0;
    m_stageRoot = fs::temp_directory_path() /
                  ("skinview-" + std::to_string(getpid()) + "-" + std::to_string(++s_viewers));
    m_label = fs::path(m_source.path).stem().string();
}

CSkinViewer::~CSkinViewer() {
    m_screens.clear();
    if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd)) m_pFrame->DestroyWindow();
    m_app.m_pMainWnd = nullptr;
    std::error_code ec;
    fs::remove_all(m_stageRoot, ec);
}

bool CSkinViewer::Open(std::string& error) {
    m_stamp = Stamp();
    fs::path folder;
    std::string name;
    if (!BuildAndStage(folder, name, error) || !LoadStaged(folder, name, error)) return false;
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_pFrame = new CViewerFrame(*this);
    if (!m_pFrame->Create(nullptr, u"skinview", WS_POPUP | WS_VISIBLE, screen)) {
        m_pFrame = nullptr; // a frame that was not made deletes itself
        return error = "cannot make the main window", false;
    }
    m_app.m_pMainWnd = m_pFrame;
    for (const CString& section : m_sections) {
        auto screenControls = std::make_unique<CScreenControls>();
        if (!screenControls->Create(m_map, section, m_pFrame, &m_repository, error)) return false;
        m_screens.push_back(std::move(screenControls));
    }
    ApplySamples();
    return !m_sections.empty() ? ShowSection(0)
                               : (error = m_map.Name() + ": lists no section", false);
}

// Packages of the current version, copied into a folder of the viewer's own.
bool CSkinViewer::BuildAndStage(fs::path& folder, std::string& name, std::string& error) {
    std::vector<fs::path> packages;
    if (m_source.kind == ViewSource::Definition) {
        CString path = DevicePathOf(m_source.path), messages;
        std::vector<std::string> notes;
        tagSKIN skin;
        if (!ReadDescriptionFile(path, skin) || skin.sections.IsEmpty())
            return error = "cannot build " + m_source.path + ": the definition is damaged", false;
        // A resource that could not be added is a version the author has to fix too.
        if (!BuildSkinConverting(path, &messages, notes) || !messages.IsEmpty())
            return error = "cannot build " + m_source.path + ":\n" + Lines(messages), false;
        for (CString package : PackagePaths(skin, path)) {
            package.Replace(u'\\', u'/');
            packages.push_back(package.ToUtf8());
        }
    } else {
        packages.push_back(m_source.path);
    }
    folder = m_stageRoot / std::to_string(++m_nGeneration);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (m_source.kind == ViewSource::Folder) {
        name = fs::path(m_source.path).filename().string();
        fs::copy(m_source.path, folder / name, fs::copy_options::recursive, ec);
        name += "?" + m_source.extension;
        if (ec) return error = "cannot copy " + m_source.path + ": " + ec.message(), false;
        return true;
    }
    // Several packages (one per section) make a folder skin.
    fs::path into = folder;
    if (packages.size() > 1) into = folder / m_label, fs::create_directories(into, ec);
    for (const fs::path& package : packages) {
        if (!CheckPackage(package, error)) return false;
        fs::copy_file(package, into / package.filename(), ec);
        if (ec) return error = "cannot copy " + package.string() + ": " + ec.message(), false;
    }
    name = packages.size() > 1 ? m_label + "?" + packages.front().extension().string().substr(1)
                               : packages.front().filename().string();
    return true;
}

bool CSkinViewer::LoadStaged(const fs::path& folder, const std::string& name, std::string& error) {
    auto discard = [&] {
        std::error_code ec;
        fs::remove_all(folder, ec);
    };
    if (!m_repository.SetSkinsFolder(DevicePathOf(folder)) ||
        !m_repository.LoadSkin(CString::FromUtf8(name), nullptr, true, true)) {
        discard();
        // Back to the last good version, which is still where it was.
        if (!m_staged.empty()) m_repository.SetSkinsFolder(DevicePathOf(m_staged));
        return error = "the library does not load " + m_source.path, false;
    }
    std::error_code ec;
    if (!m_staged.empty()) fs::remove_all(m_staged, ec);
    m_staged = folder;
    return true;
}

void CSkinViewer::ApplySamples() {
    for (auto& screen : m_screens)
        screen->ApplySamples();
}

bool CSkinViewer::ShowSection(size_t index) {
    if (index >= m_screens.size()) return false;
    m_active = index;
    for (size_t i = 0; i < m_screens.size(); ++i)
        if (i != index) m_screens[i]->Window()->ShowWindow(SW_HIDE);
    m_screens[index]->Window()->ShowWindow(SW_SHOW);
    bool settled = bool(UserPumpUntilIdle());
    DrawOverlay();
    return settled;
}

bool CSkinViewer::SaveSections(const std::string& folder, std::vector<std::string>& written,
                               std::string& error) {
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (!ShowSection(i)) return error = "the screen did not settle", false;
        std::string path = folder + "/" + m_label + "-" + m_sections[i].ToUtf8() + ".png";
        if (!DisplaySaveScreen(path)) return error = "cannot write " + path, false;
        written.push_back(path);
    }
    return true;
}

bool CSkinViewer::SaveControlPictures(const std::string& folder, std::vector<std::string>& written,
                                      std::string& error) {
    constexpr int kMargin = 4;
    std::set<MapControl> done;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (!ShowSection(i)) return error = "the screen did not settle", false;
        for (const CScreenControls::Control& c : m_screens[i]->Controls()) {
            if (done.count(c.entry->type) || !c.control->IsWindowVisible()) continue;
            CRect r;
            c.control->GetWindowRect(&r);
            r.InflateRect(kMargin, kMargin);
            r &= CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
            if (r.IsRectEmpty()) continue;
            std::string path =
                folder + "/" + m_label + "-" + MapControlName(c.entry->type) + ".png";
            HDC dc = GdiCreateScreenDC();
            bool saved = GdiWriteDCAreaPng(dc, r, path);
            DeleteDC(dc);
            if (!saved) return error = "cannot write " + path, false;
            done.insert(c.entry->type);
            written.push_back(path);
        }
    }
    return true;
}

void CSkinViewer::DrawOverlay() {
    if (!m_bOutline || m_screens.empty() || GdiGetScreenSerial() == m_overlaidSerial) return;
    HDC dc = GdiCreateScreenDC();
    LOGFONTW look{};
    look.lfHeight = -9;
    std::u16string face = u"DejaVu Sans";
    face.copy(look.lfFaceName, face.size());
    HFONT font = CreateFontIndirect(&look);
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    for (const CScreenControls::Control& c : m_screens[m_active]->Controls()) {
        if (!c.control->IsWindowVisible()) continue;
        CRect r;
        c.control->GetWindowRect(&r);
        bool window = c.entry->type == MapControl::Window;
        COLORREF colour = window ? kWindowOutlineColor : kOutlineColor;
        HBRUSH brush = CreateSolidBrush(colour);
        FrameRect(dc, &r, brush);
        DeleteObject(brush);
        CString label = c.entry->section + u" " + CString::FromUtf8(std::to_string(c.entry->id)) +
                        u" " + CString::FromUtf8(MapControlName(c.entry->type));
        SIZE size{};
        GetTextExtentPoint32(dc, label, label.GetLength(), &size);
        SetBkColor(dc, colour == kOutlineColor ? RGB(160, 0, 96) : RGB(0, 96, 128));
        // The window's label goes to its bottom, out of the way of the controls' labels.
        int y = window ? r.bottom - size.cy - 1 : r.top + 1;
        TextOut(dc, r.left + 1, y, label, label.GetLength());
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    m_overlaidSerial = GdiGetScreenSerial();
}

std::string CSkinViewer::Describe(POINT point) const {
    if (m_screens.empty()) return "";
    const auto& controls = m_screens[m_active]->Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) { // the last made lies on top
        CRect r;
        it->control->GetWindowRect(&r);
        if (it->control->IsWindowVisible() && r.PtInRect(point))
            return it->entry->section.ToUtf8() + " " + std::to_string(it->entry->id) + " " +
                   MapControlName(it->entry->type);
    }
    return "";
}

std::vector<fs::path> CSkinViewer::WatchedFiles() const {
    std::vector<fs::path> files{m_source.path};
    std::error_code ec;
    if (m_source.kind == ViewSource::Folder) {
        for (const auto& entry : fs::recursive_directory_iterator(m_source.path, ec))
            if (entry.is_regular_file(ec)) files.push_back(entry.path());
    } else if (m_source.kind == ViewSource::Definition) {
        tagSKIN skin;
        ReadDescriptionFile(DevicePathOf(m_source.path), skin);
        fs::path folder = fs::path(m_source.path).parent_path();
        if (skin.defaults) NamedFiles(*skin.defaults, folder, files);
        ForEachRecord<tagSECTION>(skin.sections,
                                  [&](const tagSECTION& s) { NamedFiles(s, folder, files); });
    }
    return files;
}

size_t CSkinViewer::Stamp() const {
    size_t digest = 0;
    for (const fs::path& file : WatchedFiles()) {
        bool found = false;
        std::string bytes = ReadAll(file, found);
        size_t h = std::hash<std::string>()(file.string()) ^
                   (std::hash<std::string>()(bytes) + (found ? 1 : 2));
        digest = digest * 1000003u ^ h;
    }
    return digest;
}

CSkinViewer::PollResult CSkinViewer::Poll(std::string& message) {
    size_t stamp = Stamp();
    if (stamp == m_stamp) return PollResult::Unchanged;
    m_stamp = stamp;
    fs::path folder;
    std::string name;
    if (!BuildAndStage(folder, name, message) || !LoadStaged(folder, name, message)) {
        std::error_code ec;
        if (folder != m_staged) fs::remove_all(folder, ec);
        message += "\nstill showing the last version that loaded";
        return PollResult::Failed;
    }
    ApplySamples();
    ShowSection(m_active);
    message = "reloaded " + m_source.path;
    return PollResult::Reloaded;
}
