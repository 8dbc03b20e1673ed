// skingen: makes a sample skin ready to pack. Reads a definition kept in UTF-8, writes it as
// a text-form description (UTF-16LE with its byte-order mark) into the output folder, and
// draws every bitmap the definition names there.
//
//   skingen DEFINITION OUTPUT-FOLDER
#include "pictures.h"
#include "skindesc/descwriter.h"
#include "skindesc/skindescription.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "skingen: %s\n", message.c_str());
    return 1;
}

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

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skingen DEFINITION OUTPUT-FOLDER\n");
        return 2;
    }
    std::filesystem::path source = argv[1], folder = argv[2];
    std::ifstream in(source, std::ios::binary);
    if (!in) return Fail("cannot read " + source.string());
    std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::filesystem::path description = folder / source.filename();
    if (!WriteBytes(description, Utf16Description(utf8)))
        return Fail("cannot write " + description.string());
    CStringList resources;
    if (!Resources(description, resources)) return Fail("cannot read back " + description.string());
    for (const CString& name : resources) {
        auto picture = Pictures().find(name.Str());
        if (picture == Pictures().end()) return Fail("no drawing for " + name.ToUtf8());
        std::filesystem::path file = folder / name.ToUtf8();
        if (!WriteBytes(file, picture->second.draw().Bmp(picture->second.bitsPerPixel)))
            return Fail("cannot write " + file.string());
        std::printf("drew %s\n", file.string().c_str());
    }
    return 0;
}
