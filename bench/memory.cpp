// Memory budgets, measured with the counting allocator and reported as ratios against a size
// measured in the same run:
//
// - reading a description of 2,000 components from its file: the peak heap against the file's
//   size, for the text form (at most 2.5 times) and the record form (at most 2 times);
// - a screen of 200 basic controls over a skinned window: the live heap each control adds, the
//   bitmaps and fonts it shares through the caches excluded, against the 2 KiB it may take.
#include "support/benchdesc.h"
#include "support/benchskin.h"
#include "support/heapcount.h"
#include "support/ratio.h"

#include "controls/skinbutton.h"
#include "controls/skincheckbox.h"
#include "controls/skinimage.h"
#include "controls/skinradiobutton.h"
#include "controls/skinslider.h"
#include "controls/skinstatic.h"
#include "controls/skinwindow.h"
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "skindesc/skindescription.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// One section of 2,000 components, 12 attributes each: where a copy of a section's text would
// be a copy of nearly the whole text.
const BenchDescriptionShape kLarge{1, 2000, 12};

// The two forms of one large description, each written to a file.
struct DescriptionFiles {
    BenchFolder folder;
    CString text = folder.Path() + u"\\large.xml", records = folder.Path() + u"\\large.sdx";
    size_t textSize = 0, recordSize = 0;

    DescriptionFiles() {
        std::vector<BYTE> textBytes = BenchTextDescription(kLarge);
        std::vector<BYTE> recordBytes = BenchRecordDescription(textBytes);
        textSize = Write(text, textBytes);
        recordSize = Write(records, recordBytes);
    }
    static size_t Write(const CString& path, const std::vector<BYTE>& bytes) {
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return 0;
        file.Write(bytes.data(), UINT(bytes.size()));
        return file.HasFailed() ? 0 : bytes.size();
    }
};

DescriptionFiles& Descriptions() {
    static DescriptionFiles files;
    return files;
}

// Reads the file into a fresh skin; the peak counts everything the reading allocates, from
// opening the file to the finished model.
void ReadDescriptionHeap(benchmark::State& state, const CString& path, size_t size) {
    size_t peak = 0;
    uint64_t blocks = 0;
    long long kept = 0;
    for (auto _ : state) {
        tagSKIN skin;
        HeapProbe probe;
        bool ok = ReadDescriptionFile(path, skin);
        peak = probe.Peak();
        blocks = probe.Allocations();
        kept = probe.Growth();
        if (!ok || skin.sections.GetCount() != kLarge.sections)
            state.SkipWithError("the description did not read");
        state.PauseTiming(); // releasing the records is not reading
        ClearSkin(skin);
        state.ResumeTiming();
    }
    state.counters["peak"] = double(peak);
    state.counters["size"] = double(size);
    state.counters["blocks"] = double(blocks);
    state.counters["model"] = double(kept);
}

void BM_ReadTextFormHeap(benchmark::State& state) {
    DescriptionFiles& files = Descriptions();
    ReadDescriptionHeap(state, files.text, files.textSize);
}
BENCHMARK(BM_ReadTextFormHeap)->Unit(benchmark::kMillisecond);

void BM_ReadRecordFormHeap(benchmark::State& state) {
    DescriptionFiles& files = Descriptions();
    ReadDescriptionHeap(state, files.records, files.recordSize);
}
BENCHMARK(BM_ReadRecordFormHeap)->Unit(benchmark::kMillisecond);

// ---- A screen of basic controls -----------------------------------------------------------

enum Kind { kButton, kCheckBox, kRadio, kStatic, kImage, kSlider, kKinds };
const int kControls = 200, kColumns = 10, kCellWidth = 24, kCellHeight = 15;

// Control i is component i + 2, in cell i of a 10 x 21 grid that fills the screen; the kinds
// take turns.
CRect Cell(int i) {
    int x = (i % kColumns) * kCellWidth, y = (i / kColumns) * kCellHeight;
    return CRect(x, y, x + kCellWidth - 2, y + kCellHeight - 2);
}

void AddControl(tagSECTION& section, int i) {
    static const char16_t* const kTypes[kKinds] = {u"button", u"checkbox", u"radio",
                                                   u"static", u"image",    u"slider"};
    Kind kind = Kind(i % kKinds);
    CString id, point, rect;
    id.Format(u"%d", i + 2);
    CRect r = Cell(i);
    point.Format(u"%d,%d", int(r.left), int(r.top));
    rect.Format(u"%d,%d,%d,%d", int(r.left), int(r.top), int(r.right), int(r.bottom));
    tagCOMPONENT& c = AddComponent(section, id, kTypes[kind]);
    AddAttribute(c, u"visible", u"bool", u"true");
    static const char16_t* const kImages[kKinds] = {u"button.bmp", u"box.bmp",  u"box.bmp",
                                                    u"",           u"lamp.bmp", u"track.bmp"};
    AddAttribute(c, kind == kSlider ? u"bkgnd_filename" : u"image_filename", u"file",
                 kImages[kind]);
    AddAttribute(c, u"image_count", u"numeric", u"2");
    AddAttribute(c, u"font_name", u"string", u"DejaVu Sans");
    AddAttribute(c, u"font_size", u"numeric", u"9");
    AddAttribute(c, u"font_color", u"color", u"255,255,255");
    AddAttribute(c, u"text", u"string", kind == kImage || kind == kSlider ? u"" : u"Text");
    AddAttribute(c, u"transparent", u"bool", u"true");
    AddAttribute(c, u"transparent_color", u"color", u"255,0,255");
    AddAttribute(c, u"region", u"bool", u"true"); // buttons take the shape of their frames
    AddAttribute(c, u"bkgnd_display", u"bool", u"true");
    AddAttribute(c, u"thumb_filename", u"file", u"thumb.bmp");
    bool rectangle = kind == kCheckBox || kind == kRadio || kind == kStatic;
    AddAttribute(c, u"position", rectangle ? u"rect" : u"point", rectangle ? rect : point);
}

// A frame strip whose frames have see-through (magenta) corners, so that shaped buttons get
// regions of several bands.
std::vector<BYTE> StripWithCorners(int frameWidth, int frames, int height, int seed) {
    std::vector<BYTE> file = BenchBitmap(frameWidth * frames, height, seed);
    int stride = (frameWidth * frames * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < frameWidth * frames; ++x) {
            int fx = x % frameWidth;
            if (std::min(fx, frameWidth - 1 - fx) + std::min(y, height - 1 - y) >= 3) continue;
            BYTE* p = &file[54 + size_t(y) * stride + size_t(x) * 3];
            p[0] = 255, p[1] = 0, p[2] = 255;
        }
    return file;
}

// The skin: a tiled background window (component 1) and, after it, kKinds controls that warm
// the caches and then the kControls measured.
void WriteControlsSkin(const CString& path) {
    tagSKIN skin;
    skin.name = skin.information.name = u"Controls";
    tagSECTION& main = AddSection(skin, u"main");
    tagCOMPONENT& w = AddComponent(main, u"1", u"window");
    AddAttribute(w, u"visible", u"bool", u"true");
    AddAttribute(w, u"image_display", u"bool", u"true");
    AddAttribute(w, u"image_type", u"choice", u"2");
    AddAttribute(w, u"image_filename", u"file", u"tile.bmp");
    AddAttribute(w, u"position", u"rect", u"0,0,240,320");
    for (int i = 0; i < kKinds + kControls; ++i)
        AddControl(main, i);
    WriteBenchPackage(path, skin,
                      {{u"tile.bmp", BenchBitmap(32, 24, 1)},
                       {u"button.bmp", StripWithCorners(22, 4, 14, 2)},
                       {u"box.bmp", BenchBitmap(4 * 12, 12, 3)},
                       {u"lamp.bmp", BenchBitmap(2 * 14, 14, 4)},
                       {u"track.bmp", BenchBitmap(22, 10, 5)},
                       {u"thumb.bmp", BenchBitmap(2 * 6, 10, 6)}});
}

std::unique_ptr<CSkinObject> MakeControl(Kind kind) {
    switch (kind) {
    case kCheckBox:
        return std::make_unique<CSkinCheckBox>();
    case kRadio:
        return std::make_unique<CSkinRadioButton>();
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

// The live heap that 200 controls add to a screen whose caches already hold their bitmaps and
// fonts (one control of each kind came first), shown and painted.
void BM_ControlsHeap(benchmark::State& state) {
    long long perControl = 0;
    for (auto _ : state) {
        UserResetPlatform();
        BenchFolder folder;
        WriteControlsSkin(folder.Path() + u"\\Controls.skn");
        CSkinRepository repository;
        repository.SetSkinsFolder(folder.Path());
        repository.LoadSkin(u"Controls.skn", nullptr, true, true);
        CWnd frame;
        frame.CreateEx(0, AfxRegisterWndClass(0), u"frame", WS_POPUP | WS_VISIBLE,
                       CRect(0, 0, 240, 320), nullptr, 0);
        CSkinWindow window;
        window.Create(&frame, u"main", 1, &repository);
        std::vector<std::unique_ptr<CSkinObject>> controls;
        auto add = [&](int i) {
            controls.push_back(MakeControl(Kind(i % kKinds)));
            if (!controls.back()->Create(&window, u"main", UINT(i + 2), &repository) ||
                !controls.back()->IsWindowVisible())
                state.SkipWithError("a control was not made");
        };
        for (int i = 0; i < kKinds; ++i)
            add(i);
        UserPumpUntilIdle();
        GdiReleaseRecycledMemory(); // pixel memory waiting for reuse is not the controls'
        HeapProbe probe;
        for (int i = kKinds; i < kKinds + kControls; ++i)
            add(i);
        if (!UserPumpUntilIdle()) state.SkipWithError("the screen did not settle");
        GdiReleaseRecycledMemory();
        perControl = probe.Growth() / kControls;
        controls.clear();
        window.DestroyWindow();
        frame.DestroyWindow();
    }
    state.counters["per_control"] = double(perControl);
    state.counters["allowance"] = 2048;
}
BENCHMARK(BM_ControlsHeap)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (HeapNow().allocations == 0) {
        std::fprintf(stderr, "the counting allocator is not linked into this program\n");
        return 1;
    }
    return RunWithRatios(
        argc, argv, {},
        {{"text form read: peak heap vs file size", "BM_ReadTextFormHeap", "peak", "size", 2.5},
         {"record form read: peak heap vs file size", "BM_ReadRecordFormHeap", "peak", "size", 2.0},
         {"200 controls: live heap per control vs 2 KiB", "BM_ControlsHeap", "per_control",
          "allowance", 1.0}});
}
