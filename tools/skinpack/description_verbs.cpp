// build, convert, dump and info: skin descriptions and the packages built from them.

#include "archive/zarchive.h"
#include "common/convertingbuild.h"
#include "platform/base/storedtext.h"
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"
#include "skindesc/skinbuilder.h"
#include "skindesc/skindescription.h"
#include "verbs.h"

namespace {

// The builder composes package paths from backslash-separated device paths; a bare file name
// is given its folder so that packages land beside it.
CString DefinitionPath(const std::string& hostPath) {
    CString path = DevicePath(hostPath);
    path.Replace(u'/', u'\\');
    if (path.Find(u'\\') < 0 && path.Find(u':') < 0) path = u".\\" + path;
    return path;
}

// Each builder message on a line of its own.
bool PrintMessages(const CString& messages) {
    CString rest = messages;
    for (int end; (end = rest.Find(u"\n\r")) >= 0; rest = rest.Mid(end + 2))
        if (!PrintLine(rest.Left(end))) return false;
    return rest.IsEmpty() || PrintLine(rest);
}

// The package's description; false with a message when it cannot be read.
bool ReadPackageDescription(const std::string& package, tagSKIN& skin, CString* index = nullptr) {
    CZArchive archive;
    if (!archive.Open(DevicePath(package), CZArchive::modeExtract))
        return Fail("cannot open package " + Quoted(package)), false;
    CMemFile xml(1024), header(1024);
    if (!archive.Extract(u".xml", xml))
        return Fail("no readable description (.xml) in " + Quoted(package)), false;
    if (index) {
        BYTE bytes[kIndexHeaderSize];
        *index = !archive.Extract(u".index", header) ? u"missing"
                 : ReadIndexHeader(header, bytes)    ? u"accepted"
                                                     : u"refused";
    }
    if (!ReadDescription(xml, skin))
        return Fail("the description in " + Quoted(package) + " is damaged"), false;
    return true;
}

// A description written to memory in the text form, as UTF-8 without the byte-order mark.
std::string TextForm(const tagSKIN& skin) {
    CMemFile file(1024);
    WriteDescription(skin, file, true, true, nullptr);
    std::u16string text(file.GetLength() > 2 ? (file.GetLength() - 2) / 2 : 0, 0);
    DecodeUnits(file.GetData() + 2, text.size(), text.data());
    return CString(std::move(text)).ToUtf8();
}

} // namespace

int BuildVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 1) return UsageFailure(call);
    const std::string& definition = args.positional[0];
    CString path = DefinitionPath(definition);
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return Fail("no skin definition " + Quoted(definition));
    CString messages;
    std::vector<std::string> notes;
    bool built = BuildSkinConverting(path, &messages, notes);
    for (const std::string& note : notes)
        if (!PrintLine(CString::FromUtf8(note))) return Fail("cannot write to standard output");
    if (!PrintMessages(messages)) return Fail("cannot write to standard output");
    if (!built) return Fail("could not build " + Quoted(definition));
    tagSKIN skin;
    ReadDescriptionFile(path, skin);
    for (CString package : PackagePaths(skin, path)) {
        package.Replace(u'\\', u'/'); // shown the way the host names it
        if (!PrintLine(u"built " + package)) return Fail("cannot write to standard output");
    }
    return kExitOk;
}

int ConvertVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {}, {"--text", "--record"})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 2 || args.Has("--text") == args.Has("--record"))
        return UsageFailure(call);
    const std::string &in = args.positional[0], &out = args.positional[1];
    tagSKIN skin;
    CFile probe;
    if (!probe.Open(DevicePath(in), CFile::modeRead | CFile::shareDenyWrite))
        return Fail("cannot read " + Quoted(in));
    probe.Close();
    if (!ReadDescriptionFile(DevicePath(in), skin))
        return Fail(Quoted(in) + " is not a readable skin description");
    bool text = args.Has("--text");
    if (!WriteDescriptionFile(skin, DevicePath(out), text, text, nullptr))
        return Fail("cannot write " + Quoted(out));
    return kExitOk;
}

int DumpVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {})) return UsageFailure(call, args.Error());
    if (args.positional.size() != 1) return UsageFailure(call);
    tagSKIN skin;
    if (!ReadPackageDescription(args.positional[0], skin)) return kExitFailure;
    std::string text = TextForm(skin) + "\n";
    if (!WriteOutput(text.data(), text.size())) return Fail("cannot write to standard output");
    return kExitOk;
}

void InformationLines(const tagSKININFORMATION& i, CStringList& lines) {
    lines.AddTail(u"name: " + i.name);
    lines.AddTail(u"version: " + i.version);
    lines.AddTail(u"description: " + i.description);
    lines.AddTail(u"author: " + i.author);
    lines.AddTail(u"email: " + i.email);
    lines.AddTail(u"webpage: " + i.webpage);
}

int InfoVerb(const Invocation& call) {
    Arguments args;
    if (!args.Parse(call.args, {"--folder", "--ext"})) return UsageFailure(call, args.Error());
    if (args.Has("--folder")) return SkinInfoVerb(call, args);
    if (args.positional.size() != 1 || args.Has("--ext")) return UsageFailure(call);
    tagSKIN skin;
    CString index;
    if (!ReadPackageDescription(args.positional[0], skin, &index)) return kExitFailure;
    CStringList lines;
    InformationLines(skin.information, lines);
    lines.AddTail(u"index header: " + index);
    lines.AddTail(CString(u"sections:"));
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& s) {
        CString line;
        line.Format(u"  %s: %d components", s.id.GetString(), s.components.GetCount());
        lines.AddTail(line);
    });
    for (const CString& line : lines)
        if (!PrintLine(line)) return Fail("cannot write to standard output");
    return kExitOk;
}
