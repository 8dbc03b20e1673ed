#include "support/benchskin.h"

#include "archive/zarchive.h"
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"

#include <cstdlib>
#include <filesystem>

std::vector<BYTE> BenchBitmap(int width, int height, int seed) {
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

tagSECTION& AddSection(tagSKIN& skin, const CString& id) {
    auto* section = new tagSECTION;
    section->id = id;
    skin.sections.AddTail(section);
    return *section;
}

tagCOMPONENT& AddComponent(tagSECTION& section, const CString& id, const CString& type) {
    auto* component = new tagCOMPONENT;
    component->id = id;
    component->type = type;
    section.components.AddTail(component);
    return *component;
}

void AddAttribute(tagCOMPONENT& component, const CString& id, const CString& type,
                  const CString& value) {
    auto* attribute = new tagATTRIBUTE;
    attribute->id = id, attribute->type = type, attribute->value = value;
    component.attributes.AddTail(attribute);
}

bool WriteBenchPackage(const CString& path, const tagSKIN& skin,
                       const std::vector<std::pair<CString, std::vector<BYTE>>>& files) {
    CZArchive archive;
    if (!archive.Open(path, CZArchive::modeCreate)) return false;
    CMemFile index, description;
    WriteIndexHeader(index);
    WriteDescription(skin, description, false, false, nullptr);
    bool ok = archive.Add(u".index", index) && archive.Add(u".xml", description);
    for (auto& [name, bytes] : files) {
        CMemFile data;
        data.Write(bytes.data(), UINT(bytes.size()));
        ok = archive.Add(name, data) && ok;
    }
    return archive.Close() && ok;
}

BenchFolder::BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skinkit-bench-XXXXXX").string();
    m_host = ::mkdtemp(pattern.data());
}

BenchFolder::~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_host, ignored);
}
