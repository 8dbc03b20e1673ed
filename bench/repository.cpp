// Skin switching and cached resource lookups.
//
// The skin: three packages (one section each), 40 components, 60 bitmaps of control sizes,
// about 1.5 MiB of pixels. A switch is LoadSkin (unloading first, preloading) followed by the
// Update pass of 40 registered components that fetch their bitmaps and font. The reference is
// the work a switch cannot avoid: inflating and decoding the same bitmap entries.
#include "archive/zarchive.h"
#include "bitmap/bitmapu.h"
#include "platform/afx/gdiobj.h"
#include "repository/skinrepository.h"
#include "skindesc/skinvalues.h"
#include "support/benchskin.h"
#include "support/ratio.h"

#include <string>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

struct BitmapRef {
    CString section, entry;
};

struct SkinFixture {
    BenchFolder folder;
    std::vector<BitmapRef> bitmaps; // in package order
    std::vector<std::pair<CString, UINT>> components;

    SkinFixture() {
        CString skinFolder = folder.Path() + u"\\Switch";
        CreateDirectory(skinFolder, nullptr);
        int bitmapNo = 0;
        for (int p = 0; p < 3; ++p) {
            tagSKIN skin;
            skin.name = skin.information.name = u"Switch";
            CString sectionId;
            sectionId.Format(u"screen%d", p);
            tagSECTION* section = &AddSection(skin, sectionId);
            std::vector<std::pair<CString, std::vector<BYTE>>> files;
            int count = p == 0 ? 14 : 13; // 40 components
            for (int i = 1; i <= count; ++i) {
                CString id;
                id.Format(u"%d", i);
                tagCOMPONENT* c = &AddComponent(*section, id, i == 1 ? u"window" : u"button");
                // The window has a full-screen background; each control one or two strips.
                int images = i == 1 ? 1 : (bitmapNo % 3 == 0 ? 2 : 1);
                for (int k = 0; k < images && bitmapNo < 60; ++k, ++bitmapNo) {
                    CString entry;
                    entry.Format(u"image%d.bmp", bitmapNo);
                    bool window = i == 1;
                    files.push_back({entry, BenchBitmap(window ? 240 : 4 * 48,
                                                        window ? 294 : 26, bitmapNo)});
                    AddAttribute(*c, k == 0 ? u"image_filename" : u"overlay_filename", u"file",
                                 entry);
                    bitmaps.push_back({section->id, entry});
                }
                AddAttribute(*c, u"font_name", u"string", u"Tahoma");
                AddAttribute(*c, u"font_size", u"numeric", i % 2 ? u"12" : u"10");
                AddAttribute(*c, u"position", u"rect", u"0,0,48,26");
                components.push_back({section->id, UINT(i)});
            }
            CString path;
            path.Format(u"%s\\p%d.skn", skinFolder.GetString(), p);
            WriteBenchPackage(path, skin, files);
        }
    }
    CString Folder() const { return folder.Path(); }
};

SkinFixture& Fixture() {
    static SkinFixture fixture;
    return fixture;
}

// A control as the library's controls behave in Update: look the component up, fetch every
// image with caching and the font.
class BenchComponent : public CSkinInterface {
public:
    BenchComponent(CSkinRepository& repository, CString section, UINT id)
        : m_repository(repository), m_section(std::move(section)), m_id(id) {}
    HBITMAP last = nullptr;

protected:
    void Unload() override {}
    void Update() override {
        const tagCOMPONENT* c = m_repository.GetComponent(m_section, m_id);
        if (!c) return;
        CString image;
        if (GetAttributeString(c->attributes, u"image_filename", image))
            last = m_repository.GetBitmap(m_section, image, true);
        if (GetAttributeString(c->attributes, u"overlay_filename", image))
            last = m_repository.GetBitmap(m_section, image, true);
        LOGFONTW font{};
        CString face;
        GetAttributeString(c->attributes, u"font_name", face);
        wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        LONG size = 0;
        GetAttributeLong(c->attributes, u"font_size", size);
        font.lfHeight = -size;
        m_repository.GetFont(&font);
    }

private:
    CSkinRepository& m_repository;
    CString m_section;
    UINT m_id;
};

void BM_SkinSwitch(benchmark::State& state) {
    SkinFixture& fixture = Fixture();
    CSkinRepository repository;
    repository.SetSkinsFolder(fixture.Folder());
    std::vector<std::unique_ptr<BenchComponent>> controls;
    for (auto& [section, id] : fixture.components) {
        controls.push_back(std::make_unique<BenchComponent>(repository, section, id));
        repository.AddComponent(controls.back().get());
    }
    for (auto _ : state) {
        repository.LoadSkin(u"Switch?skn", nullptr, true, true);
        benchmark::DoNotOptimize(controls.back()->last);
    }
    for (auto& control : controls) repository.RemoveComponent(control.get());
}
BENCHMARK(BM_SkinSwitch)->Unit(benchmark::kMillisecond);

void BM_InflateAndDecode(benchmark::State& state) {
    SkinFixture& fixture = Fixture();
    for (auto _ : state) {
        for (const BitmapRef& ref : fixture.bitmaps) {
            CString path = fixture.Folder() + u"\\Switch\\p" + ref.section.Right(1) + u".skn";
            CZArchive archive;
            CMemFile data(1024);
            archive.Open(path, CZArchive::modeExtract);
            archive.Extract(ref.entry, data);
            HBITMAP bitmap = CBitmapU::LoadBitmapFromFile(data);
            benchmark::DoNotOptimize(bitmap);
            DeleteObject(bitmap);
        }
    }
}
BENCHMARK(BM_InflateAndDecode)->Unit(benchmark::kMillisecond);

void BM_CachedGetBitmap(benchmark::State& state) {
    SkinFixture& fixture = Fixture();
    CSkinRepository repository;
    repository.SetSkinsFolder(fixture.Folder());
    repository.LoadSkin(u"Switch?skn", nullptr, true, true);
    const BitmapRef& ref = fixture.bitmaps[17];
    for (auto _ : state) benchmark::DoNotOptimize(repository.GetBitmap(ref.section, ref.entry, true));
}
BENCHMARK(BM_CachedGetBitmap);

void BM_UnorderedMapLookup(benchmark::State& state) {
    SkinFixture& fixture = Fixture();
    std::unordered_map<std::u16string, HBITMAP> map;
    int n = 0;
    for (const BitmapRef& ref : fixture.bitmaps)
        map[(ref.section + u"::" + ref.entry).Str()] = reinterpret_cast<HBITMAP>(intptr_t(++n));
    const BitmapRef& ref = fixture.bitmaps[17];
    std::u16string key = (ref.section + u"::" + ref.entry).Str();
    for (auto _ : state) benchmark::DoNotOptimize(map.find(key)->second);
}
BENCHMARK(BM_UnorderedMapLookup);

} // namespace

int main(int argc, char** argv) {
    return RunWithRatios(argc, argv,
                         {{"skin switch vs inflating and decoding its bitmaps", "BM_SkinSwitch",
                           "BM_InflateAndDecode", 1.5},
                          {"cached GetBitmap vs unordered_map lookup", "BM_CachedGetBitmap",
                           "BM_UnorderedMapLookup", 2.0}});
}
