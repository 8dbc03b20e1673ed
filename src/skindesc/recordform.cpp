// Loading the record form: keyword records after a fixed header, read until an empty string
// or the end of the file.
#include "skindesc/descforms.h"
#include "skindesc/descreader.h"
#include "skindesc/skindescription.h"

namespace {

struct RecordReader {
    CFile& file;
    tagSKIN& skin;
    tagSECTION* section = nullptr;
    tagCOMPONENT* component = nullptr;

    CString Next() {
        CString s;
        ReadRecordString(file, s);
        return s;
    }

    void Section() {
        section = new tagSECTION;
        section->id = Next();
        skin.sections.AddTail(section);
        component = nullptr;
    }
    bool Component() {
        if (!section) return false;
        component = new tagCOMPONENT;
        component->id = Next();
        component->name = Next();
        component->type = Next();
        section->components.AddTail(component);
        return true;
    }
    bool Attribute() {
        if (!section || !component) return false;
        auto* a = new tagATTRIBUTE;
        a->id = Next();
        a->name = Next();
        a->type = Next();
        a->value = Next();
        component->attributes.AddTail(a);
        return true;
    }
    bool Property() {
        if (!section || !component) return false;
        auto* p = new tagPROPERTY;
        p->id = Next();
        p->type = Next();
        p->value = Next();
        component->properties.AddTail(p);
        return true;
    }

    // One record; false at its end (done) or on a fault (failed).
    bool Record(bool& failed) {
        CString keyword;
        if (!ReadRecordString(file, keyword) || keyword.IsEmpty()) return false;
        bool ok = true;
        if (keyword.CompareNoCase(kRecordSection) == 0)
            Section();
        else if (keyword.CompareNoCase(kRecordComponent) == 0)
            ok = Component();
        else if (keyword.CompareNoCase(kRecordAttribute) == 0)
            ok = Attribute();
        else if (keyword.CompareNoCase(kRecordProperty) == 0)
            ok = Property();
        else
            ok = false;
        failed = !ok;
        return ok;
    }
};

} // namespace

bool ReadRecordFormInformation(CFile& file, CString& name, tagSKININFORMATION& info) {
    file.Seek(2, CFile::begin);
    CString s;
    ReadRecordString(file, s);
    if (s.CompareNoCase(kRecordSkin) != 0) return false;
    ReadRecordString(file, name);
    ReadRecordString(file, s);
    if (s.CompareNoCase(kRecordInformation) != 0) return false;
    CString* fields[] = {&info.name,   &info.version, &info.description,
                         &info.author, &info.email,   &info.webpage};
    for (CString* field : fields)
        ReadRecordString(file, *field);
    return true;
}

bool ReadRecordForm(CFile& file, tagSKIN& skin) {
    skin.outputPath.Empty();
    skin.separateFiles = false;
    ReleaseSection(skin.defaults);
    skin.defaults = nullptr;
    if (!ReadRecordFormInformation(file, skin.name, skin.information)) return false;
    RecordReader reader{file, skin};
    bool failed = false;
    while (reader.Record(failed)) {
    }
    return !failed;
}
