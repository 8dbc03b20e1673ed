// The basic controls at work on a 240 x 320 screen.
//
// Repaint: 40 controls over a skinned window (see-through and shaped buttons with captions,
// check boxes, static texts, images, a slider), invalidated and pumped to idle, against the
// least pixel work that shows the same screen: one copy of the background, one transparent
// draw per control image and one DrawText per caption.
//
// Skin switch: LoadSkin with 200 (and 400) basic controls registered, pumped to idle, against
// the same switch with only the skinned window registered, which repaints the whole screen.
// Each switch goes to the other of two skins that differ in their art, colours and captions,
// as a user's switch does. Reloading one skin over and over would let the processor learn
// that one package's decoding by heart, and only the run without controls, where nothing
// else runs between two loads, would keep that lesson (about a seventh of its load time).
#include "bitmap/drawtransparent.h"
#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skinimage.h"
#include "controls/skinslider.h"
#include "controls/skinstatic.h"
#include "controls/skinwindow.h"
#include "platform/afx/wnddc.h"
#include "platform/user/userdevice.h"
#include "support/benchskin.h"
#include "support/ratio.h"

#include <memory>
#include <vector>

namespace {

enum Kind { kButton, kRegionButton, kCheckBox, kStatic, kImage, kSlider, kKinds };

struct Placement {
    Kind kind;
    CRect rect;
};

// The bitmap of each kind: frames with see-through corners (magenta) over a soft pattern.
struct Art {
    const char16_t* file;
    int width, height, frames;
} const kArt[kKinds] = {{u"button.bmp", 48, 24, 4}, {u"round.bmp", 32, 32, 4},
                        {u"box.bmp", 16, 16, 4},    {nullptr, 0, 0, 0},
                        {u"lamp.bmp", 32, 32, 2},   {u"track.bmp", 200, 20, 1}};

std::vector<BYTE> StripWithCorners(const Art& art, int seed) {
    std::vector<BYTE> file = BenchBitmap(art.width * art.frames, art.height, seed);
    int stride = (art.width * art.frames * 3 + 3) & ~3;
    for (int y = 0; y < art.height; ++y)
        for (int x = 0; x < art.width * art.frames; ++x) {
            int fx = x % art.width, dx = std::min(fx, art.width - 1 - fx),
                dy = std::min(y, art.height - 1 - y);
            if (dx + dy >= 4) continue;
            BYTE* p = &file[54 + size_t(y) * stride + size_t(x) * 3];
            p[0] = 255, p[1] = 0, p[2] = 255;
        }
    return file;
}

// The 40-control screen: rows of each kind.
std::vector<Placement> ScreenLayout() {
    std::vector<Placement> placements;
    auto row = [&](Kind kind, int count, int y, int w, int h, int step) {
        for (int i = 0; i < count; ++i)
            placements.push_back({kind, CRect(8 + i * step, y, 8 + i * step + w, y + h)});
    };
    row(kButton, 4, 8, 48, 24, 56), row(kButton, 4, 40, 48, 24, 56);
    row(kButton, 2, 72, 48, 24, 56), row(kRegionButton, 6, 104, 32, 32, 38);
    row(kCheckBox, 2, 144, 108, 20, 116), row(kCheckBox, 2, 168, 108, 20, 116);
    row(kCheckBox, 2, 192, 108, 20, 116), row(kCheckBox, 2, 216, 108, 20, 116);
    row(kCheckBox, 2, 240, 108, 20, 116), row(kStatic, 4, 264, 52, 16, 56);
    row(kStatic, 4, 282, 52, 16, 56), row(kImage, 5, 72, 32, 32, 0);
    for (int i = 0; i < 5; ++i) // images at the right of the last button row
        placements[placements.size() - 5 + i].rect = CRect(120 + i * 24, 72, 152 + i * 24, 104);
    row(kSlider, 1, 300, 200, 20, 0);
    return placements;
}

// n controls of every kind in turn, tiling the screen in 12 columns: a screen full of small
// controls, each drawn from 16 x 16 frames.
std::vector<Placement> ManyControls(int n) {
    std::vector<Placement> placements;
    const int rows = (n + 11) / 12, h = 320 / rows;
    for (int i = 0; i < n; ++i) {
        int x = (i % 12) * 20, y = (i / 12) * h;
        placements.push_back({Kind(i % kKinds), CRect(x, y, x + 20, y + h)});
    }
    return placements;
}

void AddControlComponent(tagSECTION& section, int id, const Placement& placement, bool small,
                         int variant) {
    static const char16_t* types[kKinds] = {u"button", u"button", u"checkbox",
                                            u"static", u"image",  u"slider"};
    tagCOMPONENT& c =
        AddComponent(section, CString::FromUtf8(std::to_string(id)), types[placement.kind]);
    CString point, rect;
    point.Format(u"%d,%d", int(placement.rect.left), int(placement.rect.top));
    rect.Format(u"%d,%d,%d,%d", int(placement.rect.left), int(placement.rect.top),
                int(placement.rect.right), int(placement.rect.bottom));
    const Art& art = small && placement.kind != kCheckBox ? kArt[kCheckBox] : kArt[placement.kind];
    AddAttribute(c, u"visible", u"bool", u"true");
    AddAttribute(c, placement.kind == kSlider ? u"bkgnd_filename" : u"image_filename", u"file",
                 art.file ? art.file : u"");
    AddAttribute(c, u"font_name", u"string", u"DejaVu Sans");
    AddAttribute(c, u"font_size", u"numeric", u"11");
    AddAttribute(c, u"font_rect", u"rect", u"4,0,-4,-1");
    AddAttribute(c, u"font_halign", u"choice", u"1");
    AddAttribute(c, u"font_valign", u"choice", u"1");
    AddAttribute(c, u"font_color", u"color", variant ? u"16,32,64" : u"255,255,255");
    AddAttribute(c, u"text", u"string",
                 placement.kind == kRegionButton || placement.kind >= kImage ? u""
                 : variant                                                   ? u"Label"
                                                                             : u"Caption");
    AddAttribute(c, u"transparent", u"bool", u"true");
    AddAttribute(c, u"region", u"bool", placement.kind == kRegionButton ? u"true" : u"false");
    AddAttribute(c, u"transparent_color", u"color", u"255,0,255");
    AddAttribute(c, u"image_count", u"numeric", small ? u"4" : u"2");
    AddAttribute(c, u"bkgnd_display", u"bool", u"true");
    AddAttribute(c, u"thumb_filename", u"file", small ? u"box.bmp" : u"round.bmp");
    AddAttribute(c, u"thumb_transparent_color", u"color", u"255,0,255");
    AddAttribute(c, u"position",
                 placement.kind == kCheckBox || placement.kind == kStatic ? u"rect" : u"point",
                 placement.kind == kCheckBox || placement.kind == kStatic ? rect : point);
}

// A skin of a tiled background window (component 1) and the controls (2, 3, ...); variants
// differ in their pixels, colours and captions.
void WriteControlsSkin(const CString& path, const std::vector<Placement>& placements, bool small,
                       int variant = 0) {
    tagSKIN skin;
    skin.name = skin.information.name = u"Controls";
    tagSECTION& main = AddSection(skin, u"main");
    tagCOMPONENT& w = AddComponent(main, u"1", u"window");
    AddAttribute(w, u"visible", u"bool", u"true");
    AddAttribute(w, u"image_display", u"bool", u"true");
    AddAttribute(w, u"image_type", u"choice", u"2");
    AddAttribute(w, u"image_filename", u"file", u"tile.bmp");
    AddAttribute(w, u"position", u"rect", u"0,0,240,320");
    for (size_t i = 0; i < placements.size(); ++i)
        AddControlComponent(main, int(i) + 2, placements[i], small, variant);
    std::vector<std::pair<CString, std::vector<BYTE>>> files = {
        {u"tile.bmp", BenchBitmap(32, 24, 5 + 10 * variant)}};
    for (int k = 0; k < kKinds; ++k)
        if (kArt[k].file)
            files.push_back({kArt[k].file, StripWithCorners(kArt[k], k + 10 * variant)});
    WriteBenchPackage(path, skin, files);
}

struct Screen {
    BenchFolder folder;
    std::unique_ptr<CSkinRepository> repository;
    std::unique_ptr<CWnd> frame;
    std::unique_ptr<CSkinWindow> window;
    std::vector<std::unique_ptr<CSkinObject>> controls;

    // The skins hold every control of placements; the first `made` of them are created.
    Screen(const std::vector<Placement>& placements, size_t made, bool small = false) {
        UserResetPlatform();
        WriteControlsSkin(folder.Path() + u"\\Controls.skn", placements, small);
        WriteControlsSkin(folder.Path() + u"\\Other.skn", placements, small, 1);
        repository = std::make_unique<CSkinRepository>();
        repository->SetSkinsFolder(folder.Path());
        repository->LoadSkin(u"Controls.skn");
        frame = std::make_unique<CWnd>();
        frame->CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE,
                        CRect(0, 0, 240, 320), nullptr, 0);
        window = std::make_unique<CSkinWindow>();
        window->Create(frame.get(), u"main", 1, repository.get());
        for (size_t i = 0; i < made; ++i) {
            controls.push_back(Make(placements[i].kind));
            controls.back()->Create(window.get(), u"main", UINT(i + 2), repository.get());
        }
        UserPumpUntilIdle();
    }
    ~Screen() {
        controls.clear();
        window.reset();
        frame.reset();
        repository.reset();
        UserResetPlatform();
    }
    static std::unique_ptr<CSkinObject> Make(Kind kind) {
        switch (kind) {
        case kCheckBox:
            return std::make_unique<CSkinCheckBox>();
        case kStatic:
            return std::make_unique<CSkinStatic>();
        case kImage:
            return std::make_unique<CSkinImage>();
        case kSlider:
            return std::make_unique<CSkinSlider>();
        default:
            return std::make_unique<CSkinButton>();
        }
    }
};

void Settle(benchmark::State& state) {
    UserPumpResult result = UserPumpUntilIdle();
    if (!result) state.SkipWithError(result.error.c_str());
}

void BM_RepaintControls(benchmark::State& state) {
    std::vector<Placement> placements = ScreenLayout();
    Screen screen(placements, placements.size());
    for (auto _ : state) {
        ::RedrawWindow(screen.window->m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        Settle(state);
    }
}
BENCHMARK(BM_RepaintControls);

// One background copy, one transparent draw per control image, one DrawText per caption.
void BM_LeastPixelWork(benchmark::State& state) {
    std::vector<Placement> placements = ScreenLayout();
    Screen screen(placements, 0); // the skin's bitmaps, decoded and cached
    CClientDC dc(screen.window.get());
    CDC back, art[kKinds];
    CBitmap backBitmap;
    back.CreateCompatibleDC(&dc);
    backBitmap.CreateBitmap(240, 320, 1, 24, nullptr);
    CBitmap* previous = back.SelectObject(&backBitmap);
    std::vector<HGDIOBJ> previousArt(kKinds);
    for (int k = 0; k < kKinds; ++k) {
        art[k].CreateCompatibleDC(&dc);
        if (kArt[k].file)
            previousArt[k] =
                art[k].SelectObject(screen.repository->GetBitmap(u"main", kArt[k].file, true));
    }
    CFont* font = nullptr;
    LOGFONTW lf{};
    lf.lfHeight = -11;
    lf.lfWeight = 700;
    wcscpy(lf.lfFaceName, u"DejaVu Sans");
    font = screen.repository->GetFont(&lf);
    CFont* previousFont = dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    for (auto _ : state) {
        dc.BitBlt(0, 0, 240, 320, &back, 0, 0, SRCCOPY);
        for (const Placement& s : placements) {
            const Art& a = kArt[s.kind];
            if (a.file)
                DrawTransparent(&dc, s.rect.left, s.rect.top, a.width, a.height, &art[s.kind], 0, 0,
                                RGB(255, 0, 255));
            if (s.kind == kSlider)
                DrawTransparent(&dc, s.rect.left + 4, s.rect.top, 16, 20, &art[kRegionButton], 0, 0,
                                RGB(255, 0, 255));
            if (s.kind == kButton || s.kind == kCheckBox || s.kind == kStatic) {
                CRect r = s.rect;
                dc.DrawText(u"Caption", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
            }
        }
    }
    dc.SelectObject(previousFont);
    for (int k = 0; k < kKinds; ++k)
        if (previousArt[k]) art[k].SelectObject(previousArt[k]);
    back.SelectObject(previous);
}
BENCHMARK(BM_LeastPixelWork);

void BM_SkinSwitch(benchmark::State& state) {
    std::vector<Placement> placements = ManyControls(int(state.range(0)));
    Screen screen(placements, size_t(state.range(1)) ? placements.size() : 0, true);
    const CString skins[2] = {u"Other.skn", u"Controls.skn"};
    size_t next = 0;
    for (auto _ : state) {
        screen.repository->LoadSkin(skins[next]);
        next ^= 1;
        Settle(state);
    }
}
BENCHMARK(BM_SkinSwitch)->Args({200, 1})->Args({200, 0})->Args({400, 1});

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(
        argc, argv,
        {{"40 controls repainted vs the least pixel work", "BM_RepaintControls",
          "BM_LeastPixelWork", 2.0},
         {"skin switch, 200 controls vs none", "BM_SkinSwitch/200/1", "BM_SkinSwitch/200/0", 2.0},
         {"skin switch, 400 controls vs 200", "BM_SkinSwitch/400/1", "BM_SkinSwitch/200/1", 2.2}});
}
