#include "skindesc/skinbuilder.h"

#include "archive/zarchive.h"
#include "skindesc/descwriter.h"
#include "skindesc/indexheader.h"
#include "skindesc/skindescription.h"

namespace {

void Append(CString* messages, const CString& text) {
    if (messages) *messages += text;
}

CString CannotCreate(const tagSKIN& skin) {
    return u"Could not create skin \"" + skin.name + u"\", the file could not be created.\n\r";
}

CString WouldReplaceDefinition(const tagSKIN& skin) {
    return u"Could not create skin \"" + skin.name +
           u"\", the package would replace its definition.\n\r";
}

// Paths compared as the device's file system compares them: either separator, any letter case.
bool SameFile(const CString& a, const CString& b) {
    CString x = a, y = b;
    x.Replace(u'/', u'\\');
    y.Replace(u'/', u'\\');
    return x.CompareNoCase(y) == 0;
}

// Whether building at packagePath would write over the definition, through the package itself
// or one of the files it passes through.
bool TouchesDefinition(const CString& packagePath, const CString& definitionPath) {
    return SameFile(packagePath, definitionPath) ||
           SameFile(packagePath + kBuildingSuffix, definitionPath) ||
           SameFile(packagePath + kPreviousSuffix, definitionPath);
}

void CreateFolders(const CString& path) {
    for (int i = 1; i < path.GetLength(); ++i)
        if (path[i] == u'\\') CreateDirectory(path.Left(i), nullptr);
}

// Puts a finished file in place of target. An earlier target is kept aside until the new one
// is there, and put back when the move fails.
bool ReplaceFile(const CString& finished, const CString& target) {
    DWORD attributes = GetFileAttributes(target);
    if (attributes == INVALID_FILE_ATTRIBUTES) return MoveFile(finished, target);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    CString previous = target + kPreviousSuffix;
    DeleteFile(previous);
    if (!MoveFile(target, previous)) return false;
    if (!MoveFile(finished, target)) {
        MoveFile(previous, target);
        return false;
    }
    DeleteFile(previous);
    return true;
}

bool WritePackage(const tagSKIN& skin, const CString& path, CString* messages) {
    CZArchive archive;
    if (!archive.Open(path, CZArchive::modeCreate)) return false;
    CMemFile index, description;
    WriteIndexHeader(index);
    bool ok = archive.Add(u".index", index);
    CStringList resources;
    WriteDescription(skin, description, false, false, &resources);
    ok = archive.Add(u".xml", description) && ok;
    for (const CString& name : resources)
        if (!archive.Add(name)) Append(messages, u"Could not add resource \"" + name + u"\".\n\r");
    return archive.Close() && ok;
}

CString SectionPackageName(const tagSECTION& section) {
    return section.output.IsEmpty() ? section.id + u".sdf" : section.output;
}

// Whether any per-section package, where it is built or where it goes, is the definition.
bool AnySectionTouchesDefinition(const tagSKIN& skin, const CString& definitionPath) {
    bool touches = false;
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& section) {
        CString name = SectionPackageName(section);
        touches = touches ||
                  TouchesDefinition(ComposePackagePath(definitionPath, CString(), name),
                                    definitionPath) ||
                  TouchesDefinition(ComposePackagePath(definitionPath, skin.outputPath, name),
                                    definitionPath);
    });
    return touches;
}

// The section's package, built in the definition's folder and then moved to its place. The
// skin formed for it shares the definition's section and defaults without owning them.
bool BuildSection(const tagSKIN& skin, tagSECTION& section, const CString& definitionPath,
                  CString* messages) {
    CString name = SectionPackageName(section);
    CString buildPath = ComposePackagePath(definitionPath, CString(), name);
    CString finalPath = ComposePackagePath(definitionPath, skin.outputPath, name);
    tagSKIN one;
    one.name = skin.name;
    one.information = skin.information;
    one.separateFiles = true;
    one.defaults = skin.defaults;
    one.sections.AddTail(&section);
    bool ok = BuildPackage(one, buildPath, messages);
    one.sections.RemoveAll();
    one.defaults = nullptr;
    if (ok && !SameFile(buildPath, finalPath)) {
        CreateFolders(finalPath);
        if (!ReplaceFile(buildPath, finalPath)) {
            Append(messages, CannotCreate(skin));
            return false;
        }
    }
    return ok;
}

// One package per section, in order; the first that fails stops the build.
bool BuildSections(tagSKIN& skin, const CString& definitionPath, CString* messages) {
    if (AnySectionTouchesDefinition(skin, definitionPath)) {
        Append(messages, WouldReplaceDefinition(skin));
        return false;
    }
    bool result = false;
    for (void* p : skin.sections) {
        auto* section = static_cast<tagSECTION*>(p);
        if (section && !(result = BuildSection(skin, *section, definitionPath, messages))) break;
    }
    return result;
}

} // namespace

bool BuildPackage(const tagSKIN& skin, const CString& packagePath, CString* messages) {
    CreateFolders(packagePath);
    CString building = packagePath + kBuildingSuffix;
    if (!WritePackage(skin, building, messages) || !ReplaceFile(building, packagePath)) {
        DeleteFile(building);
        Append(messages, CannotCreate(skin));
        return false;
    }
    return true;
}

bool BuildSkin(const CString& definitionPath, CString* messages) {
    if (messages) messages->Empty();
    tagSKIN skin;
    ReadDescriptionFile(definitionPath, skin);
    if (skin.separateFiles) return BuildSections(skin, definitionPath, messages);
    CString path = ComposePackagePath(definitionPath, skin.outputPath, skin.outputPath);
    if (TouchesDefinition(path, definitionPath)) {
        Append(messages, WouldReplaceDefinition(skin));
        return false;
    }
    return BuildPackage(skin, path, messages);
}
