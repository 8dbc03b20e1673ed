// Shortcuts shared by the archive and skinpack tests: packages made and read through CZArchive.
#pragma once

#include "archive/zarchive.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <string>
#include <vector>

// Adds `bytes` from a memory file.
inline bool AddBytes(CZArchive& archive, const CString& name, const Bytes& bytes) {
    CMemFile file;
    LoadMemFile(file, bytes);
    return archive.Add(name, file);
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
