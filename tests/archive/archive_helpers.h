// Shortcuts shared by the archive and skinpack tests: packages made and read through CZArchive.
#pragma once

#include "archive/zarchive.h"
#include "support/archive_builder.h"
#include "support/tempdir.h"

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CString& text, std::ostream* out) {
    *out << '"' << text.ToUtf8() << '"';
}

using Entries = std::vector<std::pair<CString, Bytes>>;

// Adds `bytes` from a memory file.
inline bool AddBytes(CZArchive& archive, const CString& name, const Bytes& bytes) {
    CMemFile file;
    FillMemFile(file, bytes);
    return archive.Add(name, file);
}

// Creates a package holding `entries` (added from memory in this order); false on any refusal.
inline bool CreateArchive(const CString& path, const Entries& entries) {
    CZArchive archive;
    if (!archive.Open(path, CZArchive::modeCreate)) return false;
    for (const auto& [name, data] : entries)
        if (!AddBytes(archive, name, data)) return false;
    return archive.Close();
}

inline std::vector<CString> FileList(CZArchive& archive) {
    CStringList list;
    archive.GetFileList(list);
    std::vector<CString> names;
    for (const CString& name : list)
        names.push_back(name);
    return names;
}

// The entry's bytes; `ok` tells whether Extract succeeded.
inline Bytes ExtractBytes(CZArchive& archive, const CString& name, bool* ok = nullptr) {
    CMemFile file;
    bool done = archive.Extract(name, file);
    if (ok) *ok = done;
    return MemBytes(file);
}

// Names as text for readable failure messages.
inline std::string Utf8(const std::vector<CString>& names) {
    std::string text;
    for (const CString& name : names)
        text += (text.empty() ? "" : ", ") + name.ToUtf8();
    return text;
}
