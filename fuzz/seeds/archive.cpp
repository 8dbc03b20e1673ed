// Valid skin packages for the archive fuzz target: empty, one small entry, several entries
// including one that needs two chunks, and names beyond ASCII.

#include "seeds.h"

#include "archive/zarchive.h"

#include <string>
#include <vector>

namespace {

bool AddBytes(CZArchive& archive, const CString& name, const std::string& bytes) {
    CMemFile data(1024);
    data.Write(bytes.data(), UINT(bytes.size()));
    return archive.Add(name, data);
}

void WriteArchiveSeeds(const std::string& folder) {
    auto path = [&](const char* name) { return CString::FromUtf8(folder + "/" + name); };
    CZArchive archive;
    archive.Open(path("empty.sdf"), CZArchive::modeCreate);
    archive.Close();

    archive.Open(path("one.sdf"), CZArchive::modeCreate);
    AddBytes(archive, u".index", std::string("skin index header\n"));
    archive.Close();

    std::string rows;
    for (int i = 0; rows.size() < 16385 + 300; ++i)
        rows += char('A' + i % 23) + std::string(i % 7, ' ');
    archive.Open(path("several.sdf"), CZArchive::modeCreate);
    AddBytes(archive, u"skin.xml", "<skin><section name=\"main\"/></skin>\n");
    AddBytes(archive, u"frames.bmp", rows);
    AddBytes(archive, u"Grün €.bmp", std::string("\x00\x01\x02\xff", 4));
    AddBytes(archive, u"Skin.xml", std::string("case differs"));
    archive.Close();
}

} // namespace

REGISTER_SEEDS(archive, WriteArchiveSeeds);
