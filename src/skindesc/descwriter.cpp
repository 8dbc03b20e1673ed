#include "skindesc/descwriter.h"

#include "skindesc/descreader.h"
#include "skindesc/skindescription.h"
#include "skindesc/skinvalues.h"

namespace {

void Collect(CStringList* resources, const CString& type, const CString& value) {
    if (!resources || value.IsEmpty() || !IsFileType(type)) return;
    if (!resources->Find(value)) resources->AddTail(value);
}

// A line of the text form: fields pass through QuoteValue into the %s of the template.
void Line(CFile& file, LPCWSTR format, std::initializer_list<CString> fields) {
    CString line;
    auto field = fields.begin();
    for (LPCWSTR p = format; *p; ++p) {
        if (p[0] == u'%' && p[1] == u's' && field != fields.end()) {
            line += QuoteValue(*field++);
            ++p;
        } else {
            line += *p;
        }
    }
    WriteText(line, file);
}

void CollectSection(const tagSECTION& section, const CDefaultsMap& defaults,
                    CStringList* resources) {
    ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
        ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
            Collect(resources, a.type, defaults.Apply(a, c.type));
        });
        ForEachRecord<tagPROPERTY>(
            c.properties, [&](const tagPROPERTY& p) { Collect(resources, p.type, p.value); });
    });
}

} // namespace

void WriteComponentText(const tagCOMPONENT& c, CFile& file, const CDefaultsMap* defaults,
                        CStringList* resources) {
    Line(file, u"        <component id=%s name=%s type=%s>\r\n", {c.id, c.name, c.type});
    ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
        CString value = defaults ? defaults->Apply(a, c.type) : a.value;
        Line(file, u"            <attribute id=%s name=%s type=%s value=%s description=%s/>\r\n",
             {a.id, a.name, a.type, value, a.description});
        Collect(resources, a.type, value);
    });
    ForEachRecord<tagPROPERTY>(c.properties, [&](const tagPROPERTY& p) {
        Line(file, u"            <property id=%s type=%s value=%s/>\r\n", {p.id, p.type, p.value});
        Collect(resources, p.type, p.value);
    });
    WriteText(u"        </component>\r\n", file);
}

CDefaultsMap::CDefaultsMap(const tagSECTION* defaults) {
    if (!defaults) return;
    ForEachRecord<tagCOMPONENT>(defaults->components, [&](const tagCOMPONENT& c) {
        m_byType.SetAt(c.type, const_cast<tagCOMPONENT*>(&c));
    });
}

CString CDefaultsMap::Apply(const tagATTRIBUTE& attribute, const CString& componentType) const {
    if (!attribute.value.IsEmpty()) return attribute.value;
    void* found = nullptr;
    if (!m_byType.Lookup(componentType, found)) return attribute.value;
    const tagATTRIBUTE* fallback =
        FindAttribute(static_cast<tagCOMPONENT*>(found)->attributes, attribute.id);
    return fallback ? fallback->value : attribute.value;
}

void WriteSectionText(const tagSECTION& section, CFile& file, const CDefaultsMap* defaults,
                      CStringList* resources) {
    bool isDefaults = section.id.CompareNoCase(kDefaultsSectionId) == 0;
    if (isDefaults)
        WriteText(u"    <defaults>\r\n", file);
    else
        Line(file, u"    <section id=%s output=%s>\r\n", {section.id, section.output});
    ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
        WriteComponentText(c, file, defaults, resources);
    });
    WriteText(isDefaults ? u"    </defaults>\r\n" : u"    </section>\r\n", file);
}

void WriteTextForm(const tagSKIN& skin, CFile& file, bool writeDefaultsSection,
                   CStringList* resources) {
    const tagSKININFORMATION& i = skin.information;
    WriteText(u"<?xml version=\"1.0\" encoding=\"ASCII\"?>\r\n<newvexskin>\r\n", file);
    Line(file,
         u"    <information name=%s version=%s description=%s author=%s email=%s webpage=%s/>\r\n",
         {i.name, i.version, i.description, i.author, i.email, i.webpage});
    Line(file, u"    <output path=%s separatefiles=%s/>\r\n",
         {skin.outputPath, skin.separateFiles ? u"true" : u"false"});
    CDefaultsMap defaults(skin.defaults);
    if (writeDefaultsSection && skin.defaults)
        WriteSectionText(*skin.defaults, file, nullptr, nullptr);
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& s) {
        // Written as they stand next to their defaults section; resources still see the
        // values the package will hold.
        WriteSectionText(s, file, writeDefaultsSection ? nullptr : &defaults,
                         writeDefaultsSection ? nullptr : resources);
        if (writeDefaultsSection) CollectSection(s, defaults, resources);
    });
    WriteText(u"</newvexskin>", file);
}

void WriteRecordForm(const tagSKIN& skin, CFile& file, CStringList* resources) {
    const tagSKININFORMATION& i = skin.information;
    for (const CString& s : {CString(kRecordSkin), skin.name, CString(kRecordInformation), i.name,
                             i.version, i.description, i.author, i.email, i.webpage})
        WriteRecordString(s, file);
    CDefaultsMap defaults(skin.defaults);
    ForEachRecord<tagSECTION>(skin.sections, [&](const tagSECTION& section) {
        WriteRecordString(CString(kRecordSection), file);
        WriteRecordString(section.id, file);
        ForEachRecord<tagCOMPONENT>(section.components, [&](const tagCOMPONENT& c) {
            for (const CString& s : {CString(kRecordComponent), c.id, c.name, c.type})
                WriteRecordString(s, file);
            ForEachRecord<tagATTRIBUTE>(c.attributes, [&](const tagATTRIBUTE& a) {
                CString value = defaults.Apply(a, c.type);
                for (const CString& s : {CString(kRecordAttribute), a.id, a.name, a.type, value})
                    WriteRecordString(s, file);
                Collect(resources, a.type, value);
            });
            ForEachRecord<tagPROPERTY>(c.properties, [&](const tagPROPERTY& p) {
                for (const CString& s : {CString(kRecordProperty), p.id, p.type, p.value})
                    WriteRecordString(s, file);
                Collect(resources, p.type, p.value);
            });
        });
    });
}

bool WriteDescription(const tagSKIN& skin, CFile& file, bool textForm, bool writeDefaultsSection,
                      CStringList* resources) {
    file.Seek(0, CFile::begin);
    const BYTE mark[2] = {0xFF, 0xFE};
    file.Write(mark, sizeof mark);
    if (textForm)
        WriteTextForm(skin, file, writeDefaultsSection, resources);
    else
        WriteRecordForm(skin, file, resources);
    return true;
}

bool WriteDescriptionFile(const tagSKIN& skin, const CString& path, bool textForm,
                          bool writeDefaultsSection, CStringList* resources) {
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
        return false;
    WriteDescription(skin, file, textForm, writeDefaultsSection, resources);
    bool written = !file.HasFailed();
    file.Close();
    return written;
}
