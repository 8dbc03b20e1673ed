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
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"
#include "skindesc/skinvalues.h"
#include "support/ratio.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// A 24-bit BMP file with a soft pattern, as skin art tends to be.
std::vector<BYTE> Bitmap(int width, int height, int seed) {
    int stride = (width * 3 + 3) & ~3;
    DWORD pixels = DWORD(stride * height);
    std::vector<BYTE> file(54 + pixels);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i) file[at + i] = BYTE(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, DWORD(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, DWORD(width));
    put32(22, DWORD(height));
    file[26] = 1, file[28] = 24;
    put32(34, pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = &file[54 + size_t(y) * stride + size_t(x) * 3];
            p[0] = BYTE((x * 3 + seed) & 0xF8);
            p[1] = BYTE((y * 2 + seed * 7) & 0xF0);
            p[2] = BYTE(((x ^ y) + seed * 13) & 0xE0);
        }
    return file;
}

void AddAttribute(tagCOMPONENT& c, const CString& id, const CString& type, const CString& value) {
    auto* a = new tagATTRIBUTE;
    a->id = id, a->type = type, a->value = value;
    c.attributes.AddTail(a);
}

struct BitmapRef {
    CString section, entry;
};

struct SkinFixture {
    std::string folder;
    std::vector<BitmapRef> bitmaps; // in package order
    std::vector<std::pair<CString, UINT>> components;

    SkinFixture() {
        char pattern[] = "/tmp/skinkit-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        CString skinFolder = CString::FromUtf8(folder) + u"\\Switch";
        CreateDirectory(skinFolder, nullptr);
        int bitmapNo = 0;
        for (int p = 0; p < 3; ++p) {
            tagSKIN skin;
            skin.name = skin.information.name = u"Switch";
            auto* section = new tagSECTION;
            section->id.Format(u"screen%d", p);
            skin.sections.AddTail(section);
            std::vector<std::pair<CString, std::vector<BYTE>>> files;
            int count = p == 0 ? 14 : 13; // 40 components
            for (int i = 1; i <= count; ++i) {
                auto* c = new tagCOMPONENT;
                c->id.Format(u"%d", i);
                c->type = i == 1 ? u"window" : u"button";
                // The window has a full-screen background; each control one or two strips.
                int images = i == 1 ? 1 : (bitmapNo % 3 == 0 ? 2 : 1);
                for (int k = 0; k < images && bitmapNo < 60; ++k, ++bitmapNo) {
                    CString entry;
                    entry.Format(u"image%d.bmp", bitmapNo);
                    bool window = i == 1;
                    files.push_back({entry, Bitmap(window ? 240 : 4 * 48, window ? 294 : 26,
                                                   bitmapNo)});
                    AddAttribute(*c, k == 0 ? u"image_filename" : u"overlay_filename", u"file",
                                 entry);
                    bitmaps.push_back({section->id, entry});
                }
                AddAttribute(*c, u"font_name", u"string", u"Tahoma");
                AddAttribute(*c, u"font_size", u"numeric", i % 2 ? u"12" : u"10");
                AddAttribute(*c, u"position", u"rect", u"0,0,48,26");
                section->components.AddTail(c);
                components.push_back({section->id, UINT(i)});
            }
            CString path;
            path.Format(u"%s\\p%d.skn", skinFolder, p);
            CZArchive archive;
            archive.Open(path, CZArchive::modeCreate);
            CMemFile index, description;
            WriteIndexHeader(index);
            archive.Add(u".index", index);
            WriteDescription(skin, description, false, false, nullptr);
            archive.Add(u".xml", description);
            for (auto& [name, bytes] : files) {
                CMemFile data;
                data.Write(bytes.data(), UINT(bytes.size()));
                archive.Add(name, data);
            }
        }
    }
    ~SkinFixture() { std::filesystem::remove_all(folder); }
    CString Folder() const { return CString::FromUtf8(folder); }
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
