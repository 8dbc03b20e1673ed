#include "generate.h"

#include "pictures.h"
#include "skindesc/descwriter.h"
#include "skindesc/skindescription.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool WriteBytes(const std::filesystem::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

std::vector<BYTE> Utf16Description(const std::string& utf8) {
    std::vector<BYTE> bytes = {0xFF, 0xFE};
    CString text = CString::FromUtf8(utf8);
    for (char16_t ch : text.View()) {
        bytes.push_back(BYTE(ch));
        bytes.push_back(BYTE(ch >> 8));
    }
    return bytes;
}

// The files the skin's packages will hold, with the defaults applied.
bool Resources(const std::filesystem::path& description, CStringList& resources) {
    tagSKIN skin;
    if (!ReadDescriptionFile(CString::FromUtf8(description.string()), skin)) return false;
    CMemFile scratch(1024);
    return WriteDescription(skin, scratch, false, false, &resources);
}

} // namespace

bool GenerateSkin(const std::string& definition, const std::string& outFolder, std::string& error,
                  void (*drawn)(const std::string&)) {
    std::filesystem::path source = definition, folder = outFolder;
    std::ifstream in(source, std::ios::binary);
    if (!in) return error = "cannot read " + source.string(), false;
    std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::filesystem::path description = folder / source.filename();
    if (!WriteBytes(description, Utf16Description(utf8)))
        return error = "cannot write " + description.string(), false;
    CStringList resources;
    if (!Resources(description, resources))
        return error = "cannot read back " + description.string(), false;
    for (const CString& name : resources) {
        auto picture = Pictures().find(name.Str());
        if (picture == Pictures().end()) return error = "no drawing for " + name.ToUtf8(), false;
        std::filesystem::path file = folder / name.ToUtf8();
        if (!WriteBytes(file, picture->second.draw().Bmp(picture->second.bitsPerPixel)))
            return error = "cannot write " + file.string(), false;
        if (drawn) drawn(file.string());
    }
    return true;
}
