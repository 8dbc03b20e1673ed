// Packages and records for tests: archives written through CZArchive, the library's records
// made from and compared with SkinDef values.
#include "support/skin_builder.h"

#include "archive/zarchive.h"

void LoadMemFile(CMemFile& file, const std::vector<BYTE>& bytes) {
    file.SetLength(0);
    file.Seek(0, CFile::begin);
    if (!bytes.empty()) file.Write(bytes.data(), UINT(bytes.size()));
    file.Seek(0, CFile::begin);
}

bool WritePackage(const CString& path, const PackageEntries& entries) {
    CZArchive archive;
    if (!archive.Open(path, CZArchive::modeCreate)) return false;
    for (const auto& [name, bytes] : entries) {
        CMemFile data;
        LoadMemFile(data, bytes);
        if (!archive.Add(name, data)) return false;
    }
    return archive.Close();
}

bool WriteSkinPackage(const CString& path, const SkinDef& skin, const PackageEntries& resources) {
    PackageEntries entries = {{u".index", IndexHeaderBytes(u"2.0.0", u"2.0.0")},
                              {u".xml", RecordDescription(skin)}};
    entries.insert(entries.end(), resources.begin(), resources.end());
    return WritePackage(path, entries);
}

std::optional<std::vector<BYTE>> PackageEntry(const CString& path, const CString& entry) {
    CZArchive archive;
    CMemFile data;
    if (!archive.Open(path, CZArchive::modeExtract) || !archive.Extract(entry, data))
        return std::nullopt;
    return MemBytes(data);
}

std::vector<CString> PackageEntryNames(const CString& path) {
    CZArchive archive;
    CStringList list;
    if (archive.Open(path, CZArchive::modeExtract)) archive.GetFileList(list);
    std::vector<CString> names;
    for (const CString& name : list)
        names.push_back(name);
    return names;
}

// --- records ---------------------------------------------------------------------------------

namespace {

tagSECTION* NewSection(const SectionDef& model) {
    auto* section = new tagSECTION{model.id, model.output, CPtrList()};
    for (const ComponentDef& c : model.components) {
        auto* component = new tagCOMPONENT;
        component->id = c.id;
        component->name = c.name;
        component->type = c.type;
        for (const AttributeDef& a : c.attributes)
            component->attributes.AddTail(
                new tagATTRIBUTE{a.id, a.name, a.type, a.value, a.description});
        for (const PropertyDef& p : c.properties)
            component->properties.AddTail(new tagPROPERTY{p.id, p.type, p.value});
        section->components.AddTail(component);
    }
    return section;
}

SectionDef DefOfSection(const tagSECTION& section) {
    SectionDef model{section.id, section.output, {}};
    ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
        ComponentDef& component = model.Component(c.id, c.name, c.type);
        ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
            component.Attr(a.id, a.type, a.value, a.name, a.description);
        });
        ForEachRecord<tagPROPERTY>(
            c.properties, [&](const tagPROPERTY& p) { component.Prop(p.id, p.type, p.value); });
    });
    return model;
}

} // namespace

void FillSkin(const SkinDef& model, tagSKIN& skin) {
    const InformationDef& i = model.information;
    skin.name = model.name;
    skin.information = {i.name, i.version, i.description, i.author, i.email, i.webpage};
    skin.outputPath = model.outputPath;
    skin.separateFiles = model.separateFiles;
    if (model.defaults) skin.defaults = NewSection(*model.defaults);
    for (const SectionDef& s : model.sections)
        skin.sections.AddTail(NewSection(s));
}

SkinDef DefOf(const tagSKIN& skin) {
    SkinDef model;
    const tagSKININFORMATION& i = skin.information;
    model.name = skin.name;
    model.information = {i.name, i.version, i.description, i.author, i.email, i.webpage};
    model.outputPath = skin.outputPath;
    model.separateFiles = skin.separateFiles;
    if (skin.defaults) model.defaults = DefOfSection(*skin.defaults);
    ForEachRecord<tagSECTION>(
        skin.sections, [&](const tagSECTION& s) { model.sections.push_back(DefOfSection(s)); });
    return model;
}
