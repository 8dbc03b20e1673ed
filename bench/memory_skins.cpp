// Memory budgets on the sample skins (Ocean and Paper, drawn by skingen and packed by the
// builder at start-up), measured with the counting allocator:
//
// - a loaded skin (the model, the caches after preloading, the component index): its live heap
//   against the pixel bytes of its decoded bitmaps plus its description's size, at most 1.5;
// - the demo's screens alive through 1,000 skin switches: the live heap after the last switch
//   within 1% of the heap after the first (both show the same skin and screen), and the live
//   graphics objects exactly equal. Pixel memory that the platform keeps for reuse is released
//   before each of these measurements and left out.
#include "archive/zarchive.h"
#include "demoframe.h"
#include "generate.h"
#include "platform/gdi/gdidevice.h"
#include "platform/user/userdevice.h"
#include "skindesc/skinbuilder.h"
#include "support/benchskin.h"
#include "support/heapcount.h"
#include "support/ratio.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

const char* const kSkins[] = {"ocean", "paper"};

// The sample skins, drawn and packed once into a folder of their own.
struct SampleSkins {
    BenchFolder folder;
    std::string root = folder.Path().ToUtf8();
    CString skins = CString::FromUtf8(root + "/skins");
    bool made = true;

    SampleSkins() {
        std::filesystem::create_directories(root + "/skins");
        for (const char* name : kSkins) {
            std::string definition =
                std::string(SKINKIT_SOURCE_DIR) + "/examples/skins/" + name + "/" + name + ".xml";
            std::string error, drawn = root + "/" + name;
            if (!GenerateSkin(definition, drawn, error) ||
                !BuildSkin(CString::FromUtf8(drawn + "/" + name + ".xml"), nullptr)) {
                std::fprintf(stderr, "cannot make the sample skin %s: %s\n", name, error.c_str());
                made = false;
                continue;
            }
            std::filesystem::copy_file(drawn + "/" + name + ".sdf",
                                       root + "/skins/" + name + ".sdf");
        }
    }
    static CString Package(int skin) { return CString::FromUtf8(kSkins[skin]) + u".sdf"; }
};

SampleSkins& Samples() {
    static SampleSkins samples;
    return samples;
}

// A repository that can say what its caches hold.
class CMeasuredRepository : public CSkinRepository {
public:
    // Pixel bytes of every cached bitmap and of the images of every cached icon.
    size_t CachedPixelBytes() const {
        size_t bytes = 0;
        CString key;
        void* value = nullptr;
        for (POSITION pos = m_mapBitmaps.GetStartPosition(); pos;) {
            m_mapBitmaps.GetNextAssoc(pos, key, value);
            bytes += PixelBytes(static_cast<HBITMAP>(value));
        }
        for (POSITION pos = m_mapIcons.GetStartPosition(); pos;) {
            m_mapIcons.GetNextAssoc(pos, key, value);
            ICONINFO info{};
            if (!GetIconInfo(static_cast<HICON>(value), &info)) continue;
            bytes += PixelBytes(info.hbmColor) + PixelBytes(info.hbmMask);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        return bytes;
    }

private:
    static size_t PixelBytes(HBITMAP bitmap) {
        BITMAP info{};
        if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return 0;
        return size_t(info.bmWidthBytes) *
               size_t(info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    }
};

size_t DescriptionBytes(const CString& package) {
    CZArchive archive;
    CMemFile description(1024);
    if (!archive.Open(package, CZArchive::modeExtract) || !archive.Extract(u".xml", description))
        return 0;
    return description.GetLength();
}

// The skin loaded with preloading, as the demo loads its first skin, and its components
// indexed by a lookup.
void BM_LoadedSkinHeap(benchmark::State& state) {
    SampleSkins& samples = Samples();
    CString name = SampleSkins::Package(int(state.range(0)));
    long long live = 0;
    size_t pixels = 0;
    for (auto _ : state) {
        UserResetPlatform();
        CMeasuredRepository repository;
        repository.SetSkinsFolder(samples.skins);
        GdiReleaseRecycledMemory();
        HeapProbe probe;
        if (!repository.LoadSkin(name, nullptr, true, true) || !repository.GetComponent(u"main", 1))
            state.SkipWithError("the sample skin did not load");
        GdiReleaseRecycledMemory();
        live = probe.Growth();
        pixels = repository.CachedPixelBytes();
    }
    state.counters["live"] = double(live);
    state.counters["pixels_and_description"] =
        double(pixels + DescriptionBytes(samples.skins + u"\\" + name));
}
BENCHMARK(BM_LoadedSkinHeap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

bool Settle() {
    return bool(UserPumpUntilIdle());
}

const int kSwitches = 1000;

// The heap as the screens leave it, without pixel memory waiting for reuse.
HeapCounts Measure() {
    GdiReleaseRecycledMemory();
    return HeapNow();
}

// A tap on the middle of a rectangle of the control's client area.
bool TapControl(CWnd& control, const CRect& r) {
    CPoint p = r.CenterPoint();
    control.ClientToScreen(&p);
    UserInjectPointerDown(p.x, p.y);
    bool settled = Settle();
    UserInjectPointerUp(p.x, p.y);
    return Settle() && settled;
}

// Opens the screen's popups and closes them again: the skin chooser's menu and the options
// menu close at once, as a tap outside would (nothing waits in them); the folder chooser's
// tree is closed by the program.
bool OpenPopups(CDemoFrame& frame, CDemoFrame::Screen screen) {
    if (screen == CDemoFrame::kSettings) {
        CSkinDropList& skins = frame.Settings().SkinChooser();
        CSkinDropTree& folders = frame.Settings().FolderChooser();
        bool ok = TapControl(skins, skins.LabelBox()) && TapControl(folders, folders.LabelBox());
        folders.DropDown(false);
        return Settle() && ok;
    }
    if (screen == CDemoFrame::kPlayer) {
        CRect client;
        frame.Player().Logo().GetClientRect(&client);
        return TapControl(frame.Player().Logo(), client);
    }
    return true;
}

// A switch, then a screen of the tour with its popups: two switches per screen, so that each
// screen is used on both skins in turn. Switch n (from 0) shows the player when n is a multiple
// of 6.
bool SwitchAndShow(CDemoFrame& frame, int n) {
    if (!frame.SwitchSkin()) return false;
    auto screen = CDemoFrame::Screen(n / 2 % CDemoFrame::kScreenCount);
    frame.ShowScreen(screen);
    return Settle() && OpenPopups(frame, screen);
}

// The demo's frame with its three screens, started on Ocean. Six switches first show every
// screen on both skins, so that what fills on first use (fonts, glyphs) is there before the
// count begins. Then the first counted switch lands on Paper with the player showing, and after
// 1,000 more switches Paper is current again and the player is shown (its popup opened) again.
void BM_SkinSwitchGrowth(benchmark::State& state) {
    SampleSkins& samples = Samples();
    HeapCounts first, last;
    GdiObjectCounts firstObjects, lastObjects;
    for (auto _ : state) {
        UserResetPlatform();
        CSkinRepository repository;
        repository.SetSkinsFolder(samples.skins);
        repository.LoadSkin(SampleSkins::Package(0), nullptr, true, true);
        auto* frame = new CDemoFrame; // deletes itself when its window is destroyed
        std::string error;
        bool ok =
            frame->Create(&repository, {SampleSkins::Package(0), SampleSkins::Package(1)}, error) &&
            Settle();
        if (!ok) std::fprintf(stderr, "the demo did not start: %s\n", error.c_str());
        for (int n = 0; ok && n < 6; ++n)
            ok = SwitchAndShow(*frame, n);
        ok = ok && SwitchAndShow(*frame, 6);
        first = Measure(), firstObjects = GdiGetObjectCounts();
        for (int n = 7; ok && n <= 6 + kSwitches; ++n)
            ok = SwitchAndShow(*frame, n);
        frame->ShowScreen(CDemoFrame::kPlayer);
        ok = ok && Settle() && OpenPopups(*frame, CDemoFrame::kPlayer);
        last = Measure(), lastObjects = GdiGetObjectCounts();
        if (!ok) state.SkipWithError("a switch failed or a screen did not settle");
        frame->DestroyWindow();
        Settle();
    }
    if (!(firstObjects == lastObjects))
        state.SkipWithError(
            ("graphics objects after the first switch: " + GdiDescribeCounts(firstObjects) +
             "; after the last: " + GdiDescribeCounts(lastObjects))
                .c_str());
    state.counters["first"] = double(first.live);
    state.counters["last"] = double(last.live);
    state.counters["objects_first"] = firstObjects.Total();
    state.counters["objects_last"] = lastObjects.Total();
}
BENCHMARK(BM_SkinSwitchGrowth)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (HeapNow().allocations == 0) {
        std::fprintf(stderr, "the counting allocator is not linked into this program\n");
        return 1;
    }
    if (!Samples().made) return 1;
    return RunWithRatios(
        argc, argv, {},
        {{"Ocean loaded: live heap vs pixels + description", "BM_LoadedSkinHeap/0", "live",
          "pixels_and_description", 1.5},
         {"Paper loaded: live heap vs pixels + description", "BM_LoadedSkinHeap/1", "live",
          "pixels_and_description", 1.5},
         {"skin switches: live heap 1,000 switches on vs the first", "BM_SkinSwitchGrowth", "last",
          "first", 1.01, 0.99},
         {"skin switches: graphics objects 1,000 switches on vs the first", "BM_SkinSwitchGrowth",
          "objects_last", "objects_first", 1.0, 1.0, false}});
}
