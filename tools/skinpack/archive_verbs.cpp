// create, list and extract: packages as plain containers of named entries.

#include "archive/zarchive.h"
#include "verbs.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite;
const WCHAR kIndexName[] = u"zarchive.contents.index";

// The last path component, as the entry name of a packed file.
std::string LastComponent(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Why a path cannot be read as a file, for messages.
std::string Missing(const std::string& path) {
    DWORD attributes = GetFileAttributes(DevicePath(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return "no such file";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "is a folder";
    return "cannot be read";
}

bool OpenPackage(CZArchive& archive, const std::string& package) {
    if (archive.Open(DevicePath(package), CZArchive::modeExtract)) return true;
    std::string why = Missing(package);
    if (why == "cannot be read") why = "not an archive or damaged";
    Fail("cannot open package " + Quoted(package) + ": " + why);
    return false;
}

bool ReadWholeFile(const std::string& path, CMemFile& data) {
    CFile file;
    if (!file.Open(DevicePath(path), kReadFlags)) {
        Fail("cannot read " + Quoted(path) + ": " + Missing(path));
        return false;
    }
    std::vector<BYTE> block(65536);
    for (UINT n; (n = file.Read(block.data(), UINT(block.size()))) > 0;)
        data.Write(block.data(), n);
    if (data.HasFailed()) Fail("cannot read " + Quoted(path) + ": out of memory");
    return !data.HasFailed();
}

// Checks what the archive would refuse, so that the message can say why.
bool AddFile(CZArchive& archive, const std::string& path, std::set<CString>& names) {
    CString name = CString::FromUtf8(LastComponent(path));
    std::string cannot = "cannot add " + Quoted(path) + ": ";
    if (name.IsEmpty()) return Fail(cannot + "no file name"), false;
    if (name == kIndexName) return Fail(cannot + "the name is reserved for the index"), false;
    if (!names.insert(name).second)
        return Fail(cannot + "an entry named " + Quoted(name) + " is already in the package"),
               false;
    CMemFile data(1024);
    if (!ReadWholeFile(path, data)) return false;
    if (data.GetLength() == 0) return Fail(cannot + "the file is empty"), false;
    if (!archive.Add(name, data)) return Fail(cannot + "writing the package failed"), false;
    return true;
}

// A unique file beside the package; the package is written there and renamed into place only
// when complete, so a failed create leaves an earlier package untouched.
std::string PartialFileFor(const std::string& package) {
    std::string pattern = package + ".XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return std::string();
    // mkstemp makes the file private; a package gets the permissions of any new file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    return pattern;
}

bool FillPackage(const std::string& partial, const std::vector<std::string>& files) {
    CZArchive archive;
    if (!archive.Open(DevicePath(partial), CZArchive::modeCreate)) return false;
    std::set<CString> names;
    for (const std::string& file : files)
        if (!AddFile(archive, file, names)) return false;
    return archive.Close();
}

} // namespace

int CreateVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() < 2) return UsageFailure(call);
    const std::string& package = args.positional[0];
    std::string partial = PartialFileFor(package);
    if (partial.empty()) return Fail("cannot write package " + Quoted(package));
    std::vector<std::string> files(args.positional.begin() + 1, args.positional.end());
    bool written = FillPackage(partial, files);
    if (written && std::rename(partial.c_str(), package.c_str()) == 0) return kExitOk;
    std::remove(partial.c_str());
    return written ? Fail("cannot write package " + Quoted(package)) : kExitFailure;
}

int ListVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 1) return UsageFailure(call);
    CZArchive archive;
    if (!OpenPackage(archive, args.positional[0])) return kExitFailure;
    CStringList names;
    archive.GetFileList(names);
    for (const CString& name : names)
        if (!PrintLine(name)) return Fail("cannot write to standard output");
    return kExitOk;
}

namespace {

int ExtractToOutput(CZArchive& archive, const CString& name, const std::string& package) {
    CMemFile data(1024);
    if (!archive.Extract(name, data))
        return Fail("cannot extract " + Quoted(name) + " from " + Quoted(package) +
                    ": the entry is damaged");
    if (!WriteOutput(data.GetData(), data.GetLength()))
        return Fail("cannot write to standard output");
    return kExitOk;
}

int ExtractToFile(CZArchive& archive, const CString& name, const std::string& package,
                  const std::string& out) {
    if (archive.Extract(name, DevicePath(out))) return kExitOk;
    // Tell a damaged entry from a target that cannot be written.
    CMemFile probe(1024);
    if (!archive.Extract(name, probe))
        return Fail("cannot extract " + Quoted(name) + " from " + Quoted(package) +
                    ": the entry is damaged");
    return Fail("cannot write " + Quoted(out));
}

} // namespace

int ExtractVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {"-o"})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 2) return UsageFailure(call);
    const std::string& package = args.positional[0];
    CString name = CString::FromUtf8(args.positional[1]);
    CZArchive archive;
    if (!OpenPackage(archive, package)) return kExitFailure;
    CStringList names;
    archive.GetFileList(names);
    if (!names.Find(name)) return Fail("no entry " + Quoted(name) + " in " + Quoted(package));
    if (args.Has("-o")) return ExtractToFile(archive, name, package, args.Value("-o"));
    return ExtractToOutput(archive, name, package);
}
