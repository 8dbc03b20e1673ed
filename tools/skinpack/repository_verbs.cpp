// skins, check and info --folder: skins as the repository sees them in a skins folder.

#include "archive/zarchive.h"
#include "bitmap/bitmapu.h"
#include "common/imageconvert.h"
#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"
#include "platform/gdi/gdi.h"
#include "repository/skinrepository.h"
#include "skindesc/indexheader.h"
#include "skindesc/skindescription.h"
#include "verbs.h"

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
    void Add(const CString& package, const std::string& what) {
        PrintLine(CString::FromUtf8(PackageName(package).ToUtf8() + ": " + what));
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
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 3) return UsageFailure(call);
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
    if (report.Count() == 0)
        PrintLine(name + u": no problems found in " +
                  CString::FromUtf8(std::to_string(packages.GetCount())) + u" package(s)");
    return report.Count() == 0 ? kExitOk : kExitFailure;
}
