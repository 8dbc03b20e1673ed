#include "common/convertingbuild.h"

#include "common/imageconvert.h"
#include "skindesc/descwriter.h"
#include "skindesc/skinbuilder.h"
#include "skindesc/skindescription.h"

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

using Bytes = std::vector<uint8_t>;

// What the build takes from the definition's folder, and what replaces it there.
struct Staging {
    CString from;                           // the folder the builder reads resources from
    std::vector<CString> resources;         // as the definition names them, in build order
    std::map<std::u16string, Bytes> images; // converted images, by resource name
};

CString Backslashed(CString path) {
    path.Replace(u'/', u'\\');
    return path;
}

CString FolderOf(const CString& path) {
    return path.Left(Backslashed(path).ReverseFind(u'\\') + 1);
}

// The archive reads a name holding a drive from there, every other name beside the package.
bool IsAbsoluteName(const CString& name) {
    return name.Find(u":\\") >= 0;
}

bool ReadAll(const CString& path, Bytes& bytes) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
    bytes.resize(file.GetLength());
    return file.Read(bytes.data(), UINT(bytes.size())) == bytes.size();
}

bool WriteAll(const CString& path, const Bytes& bytes) {
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return false;
    file.Write(bytes.data(), UINT(bytes.size()));
    return !file.HasFailed();
}

void CreateFolders(const CString& path) {
    for (int i = 1; i < path.GetLength(); ++i)
        if (path[i] == u'\\' || path[i] == u'/') CreateDirectory(path.Left(i), nullptr);
}

bool IsFile(const CString& path) {
    DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<CString> Places(const tagSKIN& skin, const CString& definition,
                            const CString& outputPath) {
    std::vector<CString> paths;
    if (!skin.separateFiles)
        paths.push_back(ComposePackagePath(definition, outputPath, outputPath));
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& s) {
        if (skin.separateFiles)
            paths.push_back(ComposePackagePath(definition, outputPath,
                                               s.output.IsEmpty() ? s.id + u".sdf" : s.output));
    });
    return paths;
}

// Single packages read their resources where they are built, per-section packages beside the
// definition (they are built there and moved afterwards).
CString ResourceFolder(const tagSKIN& skin, const CString& definition) {
    if (skin.separateFiles) return FolderOf(definition);
    return FolderOf(ComposePackagePath(definition, skin.outputPath, skin.outputPath));
}

void ListResources(const tagSKIN& skin, std::vector<CString>& resources) {
    CMemFile description(1024);
    CStringList names;
    WriteDescription(skin, description, false, false, &names);
    for (const CString& name : names)
        resources.push_back(name);
}

// Converts what needs converting; one note per image that is not in the library's layout.
void Examine(const tagSKIN& skin, const CString& definition, Staging& staging,
             std::vector<std::string>& notes) {
    staging.from = ResourceFolder(skin, definition);
    ListResources(skin, staging.resources);
    for (const CString& name : staging.resources) {
        Bytes bytes;
        CString source = IsAbsoluteName(name) ? name : staging.from + name;
        if (!ReadAll(source, bytes) || !LooksLikeImage(name.ToUtf8(), bytes)) continue;
        ImageReport report = ExamineImage(bytes);
        std::string shown = name.ToUtf8();
        if (report.kind == ImageKind::LibraryBitmap) continue;
        if (report.kind != ImageKind::Convertible)
            notes.push_back("left as it is: " + shown + ": " + report.why + "; " +
                            ImageAdvice(report));
        else if (IsAbsoluteName(name))
            notes.push_back("left as it is: " + shown + ": " + report.why +
                            "; it is read from its absolute path, so convert it there");
        else {
            notes.push_back("converted " + shown + ": " + report.format + " -> " + report.result);
            staging.images[name.Str()] = std::move(report.converted);
        }
    }
}

// A fresh folder under the host's temporary folder, removed with its contents at the end.
class CStagingFolder {
public:
    CStagingFolder() {
        std::error_code error;
        std::string pattern = (std::filesystem::temp_directory_path(error) / "skinpack-XXXXXX");
        if (!error && ::mkdtemp(pattern.data())) m_host = pattern;
    }
    ~CStagingFolder() {
        std::error_code error;
        if (!m_host.empty()) std::filesystem::remove_all(m_host, error);
    }
    CStagingFolder(const CStagingFolder&) = delete;
    CStagingFolder& operator=(const CStagingFolder&) = delete;

    // A folder `depth` levels down, so that names reaching up with ".." stay inside; empty
    // when it cannot be made.
    CString BuildFolder(int depth) const {
        if (m_host.empty()) return CString();
        CString folder = Backslashed(CString::FromUtf8(m_host));
        for (int i = 0; i < depth; ++i)
            if (!CreateDirectory(folder += u"\\s", nullptr)) return CString();
        return folder + u"\\";
    }

private:
    std::string m_host;
};

// How far above its own folder a resource name reaches.
int ParentSteps(const CString& name) {
    int steps = 0;
    CString rest = Backslashed(name) + u"\\";
    for (int end; (end = rest.Find(u'\\')) >= 0; rest = rest.Mid(end + 1))
        steps += rest.Left(end) == u"..";
    return steps;
}

// The definition's name with another extension, so that the packages it names by default
// keep their names and none of them can be the staged definition itself.
CString StagedName(const CString& definition) {
    CString name = definition.Mid(definition.ReverseFind(u'\\') + 1);
    return name.Left(name.ReverseFind(u'.')) + u".definition";
}

// Copied as it is when its packages go beside it anyway; otherwise rewritten in the text form
// (which keeps everything the builder reads) with an empty output path.
bool StageDefinition(const CString& definition, tagSKIN& skin, const CString& staged) {
    if (skin.outputPath.IsEmpty()) return CopyFile(definition, staged, FALSE);
    CString outputPath = skin.outputPath;
    skin.outputPath.Empty();
    bool written = WriteDescriptionFile(skin, staged, true, true, nullptr);
    skin.outputPath = outputPath;
    return written;
}

// Converted images in place of the originals, every other resource byte for byte; a missing
// resource stays missing, for the builder to report.
bool StageResources(const Staging& staging, const CString& folder) {
    for (const CString& name : staging.resources) {
        if (IsAbsoluteName(name)) continue;
        CString target = folder + name;
        CreateFolders(target);
        auto image = staging.images.find(name.Str());
        if (image != staging.images.end()) {
            if (!WriteAll(target, image->second)) return false;
        } else if (IsFile(staging.from + name) && !CopyFile(staging.from + name, target, FALSE)) {
            return false;
        }
    }
    return true;
}

bool SameFile(const CString& a, const CString& b) {
    return Backslashed(a).CompareNoCase(Backslashed(b)) == 0;
}

bool Touches(const CString& package, const CString& definition) {
    return SameFile(package, definition) || SameFile(package + kBuildingSuffix, definition) ||
           SameFile(package + kPreviousSuffix, definition);
}

// The builder's own refusal, to be given by the builder itself: a package that would replace
// the definition, where it is built or where it goes.
bool BuilderRefuses(const tagSKIN& skin, const CString& definition) {
    std::vector<CString> paths = Places(skin, definition, skin.outputPath);
    if (skin.separateFiles)
        for (const CString& path : Places(skin, definition, CString()))
            paths.push_back(path);
    for (const CString& path : paths)
        if (Touches(path, definition)) return true;
    return false;
}

// An earlier package at target stays until the new one is complete beside it, and comes back
// when the last move fails.
bool PutInPlace(const CString& staged, const CString& target) {
    CreateFolders(target);
    CString building = target + kBuildingSuffix, previous = target + kPreviousSuffix;
    DeleteFile(building);
    if (!CopyFile(staged, building, TRUE)) return false;
    bool earlier = GetFileAttributes(target) != INVALID_FILE_ATTRIBUTES;
    if (earlier) DeleteFile(previous);
    if ((earlier && !MoveFile(target, previous)) || !MoveFile(building, target)) {
        if (earlier) MoveFile(previous, target);
        DeleteFile(building);
        return false;
    }
    DeleteFile(previous);
    return true;
}

CString CannotCreate(const tagSKIN& skin) {
    return u"Could not create skin \"" + skin.name + u"\", the file could not be created.\n\r";
}

bool StagedBuild(const CString& definition, tagSKIN& skin, const Staging& staging,
                 CString* messages) {
    int depth = 1;
    for (const CString& name : staging.resources)
        depth = std::max(depth, 1 + ParentSteps(name));
    CStagingFolder folder;
    CString build = folder.BuildFolder(depth), staged = build + StagedName(definition);
    if (build.IsEmpty() || !StageDefinition(definition, skin, staged) ||
        !StageResources(staging, build)) {
        if (messages) *messages = CannotCreate(skin);
        return false;
    }
    bool built = BuildSkin(staged, messages);
    std::vector<CString> from = Places(skin, staged, CString());
    std::vector<CString> to = Places(skin, definition, skin.outputPath);
    for (size_t i = 0; i < from.size() && i < to.size(); ++i) {
        if (!IsFile(from[i]) || PutInPlace(from[i], to[i])) continue;
        if (messages) *messages += CannotCreate(skin);
        return false;
    }
    return built;
}

} // namespace

std::vector<CString> PackagePaths(const tagSKIN& skin, const CString& definitionPath) {
    return Places(skin, definitionPath, skin.outputPath);
}

bool BuildSkinConverting(const CString& definitionPath, CString* messages,
                         std::vector<std::string>& notes) {
    tagSKIN skin;
    ReadDescriptionFile(definitionPath, skin);
    Staging staging;
    Examine(skin, definitionPath, staging, notes);
    if (staging.images.empty() || BuilderRefuses(skin, definitionPath))
        return BuildSkin(definitionPath, messages);
    return StagedBuild(definitionPath, skin, staging, messages);
}
