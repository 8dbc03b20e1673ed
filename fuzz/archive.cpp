// Arbitrary bytes opened as a skin package: listed, and every entry extracted to memory and the
// first one to a file. Damage must end in clean failures.

#include "archive/zarchive.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// The files a run writes: on a memory file system where there is one, named after the process
// so that parallel fuzzers do not meet, and removed at the end of every run.
std::string ScratchPath(const char* suffix) {
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    return (base / ("skinkit-fuzz-" + std::to_string(::getpid()) + suffix)).string();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ScratchPath(".sdf"), target = ScratchPath(".out");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    CZArchive archive;
    if (!archive.Open(CString::FromUtf8(path), CZArchive::modeExtract)) {
        std::remove(path.c_str());
        return 0;
    }
    CStringList names;
    archive.GetFileList(names);
    bool first = true;
    for (const CString& name : names) {
        CMemFile entry;
        if (archive.Extract(name, entry) && entry.GetLength() == 0) std::abort();
        if (!archive.Extract(name, entry) && entry.GetLength() != 0) std::abort();
        if (first) {
            // A failed extraction leaves no file behind, partial or whole.
            bool written = archive.Extract(name, CString::FromUtf8(target));
            if (std::filesystem::exists(target) != written) std::abort();
            if (std::filesystem::exists(target + ".~zx0")) std::abort();
            std::remove(target.c_str());
            first = false;
        }
    }
    archive.Close();
    std::remove(path.c_str());
    return 0;
}
