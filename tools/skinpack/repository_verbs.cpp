// skins, check and info --folder: skins as the repository sees them in a skins folder.

#include "archive/zarchive.h"
#include "bitmap/bitmapu.h"
#include "common/imageconvert.h"
#include "mapcheck.h"
#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"
#include "platform/gdi/gdi.h"
#include "repository/skinrepository.h"
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"
#include "skindesc/skindescription.h"
#include "skindesc/skinvalues.h"
#include "verbs.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <map>
#include <set>

namespace {

// The repository with its view of a skin opened up for examination: which packages make the
// skin and which package supplied each section.
class CSkinExaminer : public CSkinRepository {
public:
    bool Packages(const CString& name, CStringList& packages) const {
        SkinLocation location;
        if (!ResolveSkinName(name, location)) return false;
        if (location.isFolder)
            FindPackages(location.path, location.extension, packages, false);
        else
            packages.AddTail(location.path);
        return true;
    }
    const tagSKIN& Skin() const { return m_skin; }
    CString SectionPackage(const CString& section) const {
        CString package;
        m_mapSectionFiles.Lookup(section, package);
        return package;
    }
};

// A package as problems name it: its file name.
CString PackageName(const CString& path) {
    CString name = path;
    name.Replace(u'\\', u'/');
    return name.Mid(name.ReverseFind(u'/') + 1);
}

// One line per problem, each naming the package and what in it is wrong.
class ProblemReport {
public:
    void Add(const CString& package, const std::string& what, int line = 0) {
        std::string at = line > 0 ? ":" + std::to_string(line) : "";
        PrintLine(CString::FromUtf8(PackageName(package).ToUtf8() + at + ": " + what));
        ++m_count;
    }
    int Count() const { return m_count; }

private:
    int m_count = 0;
};

std::string Q(const CString& text) {
    return Quoted(text);
}

// What an index header says, for a refusal message.
std::string DescribeHeader(CMemFile& index) {
    const BYTE* b = index.GetData();
    DWORD length = index.GetLength();
    if (length < kIndexHeaderSize) return "only " + std::to_string(length) + " bytes";
    DWORD size = GetLE32(b);
    return "size " + std::to_string(size) + ", versions " + Q(StoredText(b + 4, 10)) + " and " +
           Q(StoredText(b + 24, 12));
}

// Checks a package on its own; on success its description is in skin.
bool CheckPackage(const CString& package, tagSKIN& skin, ProblemReport& report) {
    CZArchive archive;
    if (!archive.Open(package, CZArchive::modeExtract)) {
        report.Add(package, "refused: not a package, or damaged");
        return false;
    }
    CMemFile index(1024), xml(1024);
    BYTE header[kIndexHeaderSize];
    if (!archive.Extract(u".index", index)) {
        report.Add(package, "refused: no index header (.index)");
        return false;
    }
    if (!ReadIndexHeader(index, header)) {
        report.Add(package, "refused: index header not accepted (" + DescribeHeader(index) +
                                "; a package needs size 48, a first version from " +
                                "2.0.0 on and a second one up to 2.0.0)");
        return false;
    }
    if (!archive.Extract(u".xml", xml)) {
        report.Add(package, "refused: no description (.xml)");
        return false;
    }
    if (!ReadDescription(xml, skin))
        report.Add(package, "description is damaged; only its start is used");
    return true;
}

std::string Where(const tagSECTION& section, const tagCOMPONENT& component) {
    return "section " + Q(section.id) + ", component " + Q(component.id) + " (" +
           Q(component.name) + ", type " + Q(component.type) + ")";
}

std::vector<uint8_t> Contents(CMemFile& file) {
    const BYTE* data = file.GetData();
    return std::vector<uint8_t>(data, data + file.GetLength());
}

// Why an image entry will not show as drawn, and what to do about it; empty when it will.
std::string ImageProblem(CMemFile& data) {
    ImageReport image = ExamineImage(Contents(data));
    if (image.kind == ImageKind::LibraryBitmap) {
        HBITMAP bitmap = CBitmapU::LoadBitmapFromFile(data);
        DeleteObject(bitmap);
        if (bitmap) return "";
        return "does not decode as a bitmap: " + image.format + " that the platform cannot make";
    }
    std::string how = image.kind == ImageKind::Convertible ? "is not in the layout the library "
                                                             "reads: "
                                                           : "does not decode as a bitmap: ";
    return how + image.why + ": " + ImageAdvice(image);
}

// Every "file" attribute or property must name an entry of its section's package; image
// entries must be bitmaps the library reads.
void CheckResources(const CString& package, const tagSECTION& section, ProblemReport& report) {
    CZArchive archive;
    CStringList names;
    if (!archive.Open(package, CZArchive::modeExtract)) return;
    archive.GetFileList(names);
    auto check = [&](const tagCOMPONENT& c, const char* kind, const CString& id,
                     const CString& type, const CString& entry) {
        if (type.CompareNoCase(u"file") != 0 || entry.IsEmpty()) return;
        std::string where = Where(section, c) + ", " + kind + " " + Q(id);
        if (!names.Find(entry)) {
            report.Add(package, where + ": entry " + Q(entry) + " is missing");
            return;
        }
        CMemFile data(1024);
        if (!archive.Extract(entry, data)) {
            report.Add(package, where + ": entry " + Q(entry) + " cannot be extracted");
            return;
        }
        if (!LooksLikeImage(entry.ToUtf8(), Contents(data))) return;
        std::string problem = ImageProblem(data);
        if (!problem.empty()) report.Add(package, where + ": entry " + Q(entry) + " " + problem);
    };
    ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
        ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
            check(c, "attribute", a.id, a.type, a.value);
        });
        ForEachRecord<tagPROPERTY>(c.properties, [&](const tagPROPERTY& p) {
            check(c, "property", p.id, p.type, p.value);
        });
    });
}

// The width and height of an image file in any layout the builder converts; false otherwise.
bool ImageSize(const std::vector<uint8_t>& file, SIZE& size) {
    ImageReport image = ExamineImage(file);
    const std::vector<uint8_t>& plain =
        image.kind == ImageKind::Convertible ? image.converted : file;
    if (image.kind != ImageKind::LibraryBitmap && image.kind != ImageKind::Convertible)
        return false;
    if (plain.size() < 26) return false;
    size.cx = LONG(GetLE32(plain.data() + 18));
    size.cy = std::abs(LONG(GetLE32(plain.data() + 22)));
    return size.cx > 0;
}

bool LoadMap(const std::string& path, CScreenMap& map) {
    std::vector<std::string> errors;
    if (map.Load(path, errors)) return true;
    for (const std::string& e : errors)
        Fail(e);
    return false;
}

// The map checks on a loaded skin: images from the package that supplied each section; lines
// when the skin is one package with a text-form description.
void CheckLoadedAgainstMap(const CSkinExaminer& examiner, const CStringList& packages,
                           const CScreenMap& map, ProblemReport& report) {
    DescriptionLines lines;
    bool withLines = false;
    if (packages.GetCount() == 1) {
        CZArchive archive;
        CMemFile xml(1024);
        if (archive.Open(packages.GetHead(), CZArchive::modeExtract) &&
            archive.Extract(u".xml", xml)) {
            lines.Scan(Contents(xml));
            withLines = true;
        }
    }
    MapCheck check;
    check.skin = &examiner.Skin();
    check.map = &map;
    check.lines = withLines ? &lines : nullptr;
    check.imageSize = [&](const CString& section, const CString& file, SIZE& size) {
        CZArchive archive;
        CMemFile data(1024);
        return archive.Open(examiner.SectionPackage(section), CZArchive::modeExtract) &&
               archive.Extract(file, data) && ImageSize(Contents(data), size);
    };
    CString package = packages.IsEmpty() ? CString() : packages.GetHead();
    check.report = [&](int line, const std::string& what) { report.Add(package, what, line); };
    CheckSkinAgainstMap(check);
}

std::vector<uint8_t> ReadHostFile(const std::filesystem::path& path, bool& found) {
    std::error_code ec;
    found = false;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    found = bool(in);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

// check [--map MAP] DEFINITION: the definition as its author wrote it, every problem with its
// line; images beside it, as the builder finds them.
int CheckDefinition(const std::string& definition, const CScreenMap* map) {
    namespace fs = std::filesystem;
    bool found = false;
    std::vector<uint8_t> bytes = ReadHostFile(definition, found);
    if (!found) return Fail("no skin definition " + Quoted(definition));
    ProblemReport report;
    CString name = CString::FromUtf8(definition);
    tagSKIN skin;
    CMemFile file(1024);
    file.Write(bytes.data(), UINT(bytes.size()));
    file.SeekToBegin();
    if (!ReadDescription(file, skin))
        report.Add(name, "description is damaged; only its start is used");
    DescriptionLines lines;
    lines.Scan(bytes);
    fs::path folder = fs::path(definition).parent_path();
    auto hostFile = [&](const CString& entry) {
        CString relative = entry;
        relative.Replace(u'\\', u'/');
        return folder / relative.ToUtf8();
    };
    // Every file named must be there for the builder.
    CDefaultsMap defaults(skin.defaults);
    int s = 0;
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& section) {
        int n = 0;
        ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
            int i = 0;
            ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
                std::error_code ec;
                if (IsFileType(a.type) && !a.value.IsEmpty() &&
                    !fs::is_regular_file(hostFile(a.value), ec))
                    report.Add(name,
                               Where(section, c) + ", attribute " + Q(a.id) + ": file " +
                                   Q(a.value) + " is missing",
                               lines.Attribute(s, n, i));
                ++i;
            });
            ++n;
        });
        ++s;
    });
    MapCheck check;
    check.skin = &skin;
    check.map = map;
    check.lines = &lines;
    check.imageSize = [&](const CString&, const CString& entry, SIZE& size) {
        bool there = false;
        std::vector<uint8_t> image = ReadHostFile(hostFile(entry), there);
        return there && ImageSize(image, size);
    };
    check.report = [&](int line, const std::string& what) { report.Add(name, what, line); };
    CheckSkinAgainstMap(check);
    if (report.Count() == 0) PrintLine(name + u": no problems found");
    return report.Count() == 0 ? kExitOk : kExitFailure;
}

// Sets up an examiner on a skins folder; false with a message when the folder is refused.
bool OpenFolder(CSkinExaminer& examiner, const std::string& folder) {
    if (examiner.SetSkinsFolder(DevicePath(folder))) return true;
    Fail("skins folder " + Quoted(folder) + " is not a folder");
    return false;
}

} // namespace

int SkinsVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 2) return UsageFailure(call);
    CSkinExaminer examiner;
    if (!OpenFolder(examiner, args.positional[0])) return kExitFailure;
    CStringList skins;
    examiner.GetAvailableSkinsList(skins, CString::FromUtf8(args.positional[1]));
    for (const CString& skin : skins)
        if (!PrintLine(skin)) return kExitFailure;
    return kExitOk;
}

int SkinInfoVerb(const Invocation& call, const Arguments& args) {
    if (args.positional.size() != 1 || !args.Has("--folder")) return UsageFailure(call);
    CSkinExaminer examiner;
    if (!OpenFolder(examiner, args.Value("--folder"))) return kExitFailure;
    CString name = CString::FromUtf8(args.positional[0]);
    // A folder skin may be named by its folder alone when the extension is given.
    CStringList packages;
    if (!examiner.Packages(name, packages) && name.Find(u'?') < 0 && args.Has("--ext"))
        name += u'?' + CString::FromUtf8(args.Value("--ext"));
    tagSKININFORMATION info;
    if (!examiner.GetSkinInformation(name, info))
        return Fail("cannot read the information of skin " + Quoted(name) + " in " +
                    Quoted(args.Value("--folder")));
    CStringList lines;
    InformationLines(info, lines);
    for (const CString& line : lines)
        if (!PrintLine(line)) return kExitFailure;
    return kExitOk;
}

int CheckVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {"--map"})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 3 && args.positional.size() != 1) return UsageFailure(call);
    CScreenMap map;
    if (args.Has("--map") && !LoadMap(args.Value("--map"), map)) return kExitFailure;
    const CScreenMap* bound = args.Has("--map") ? &map : nullptr;
    std::error_code ec;
    if (args.positional.size() == 1 && std::filesystem::is_directory(args.positional[0], ec))
        return UsageFailure(call); // a skins folder needs EXT and SKIN
    if (args.positional.size() == 1) return CheckDefinition(args.positional[0], bound);
    CSkinExaminer examiner;
    if (!OpenFolder(examiner, args.positional[0])) return kExitFailure;
    CString name = CString::FromUtf8(args.positional[2]);
    CStringList packages;
    // A folder skin may be named by its folder alone.
    if (!examiner.Packages(name, packages) && name.Find(u'?') < 0)
        name += u'?' + CString::FromUtf8(args.positional[1]);
    if (packages.IsEmpty() && !examiner.Packages(name, packages))
        return Fail("no skin " + Quoted(name) + " in " + Quoted(args.positional[0]));

    ProblemReport report;
    std::map<std::u16string, CString> supplier; // section id, folded to lower case -> package
    for (const CString& package : packages) {
        tagSKIN skin;
        if (!CheckPackage(package, skin, report)) continue;
        ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& section) {
            CString folded = section.id;
            folded.MakeLower();
            auto [it, first] = supplier.emplace(folded.Str(), package);
            if (!first)
                report.Add(package, "section " + Q(section.id) + " is also supplied by " +
                                        Q(PackageName(it->second)) + ", whose section wins");
        });
    }
    examiner.LoadSkin(name);
    ForEachRecord<tagSECTION>(examiner.Skin().sections, [&](const tagSECTION& section) {
        CheckResources(examiner.SectionPackage(section.id), section, report);
    });
    if (bound) CheckLoadedAgainstMap(examiner, packages, map, report);
    if (report.Count() == 0)
        PrintLine(name + u": no problems found in " +
                  CString::FromUtf8(std::to_string(packages.GetCount())) + u" package(s)");
    return report.Count() == 0 ? kExitOk : kExitFailure;
}
