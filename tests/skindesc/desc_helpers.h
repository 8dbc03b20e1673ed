// Shortcuts shared by the description tests.
#pragma once

#include "skindesc/skindescription.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <ostream>
#include <string>
#include <vector>

// Loads description bytes with ReadDescription; `ok` receives its result.
inline SkinDef Load(const std::vector<BYTE>& bytes, bool* ok = nullptr) {
    CMemFile file;
    LoadMemFile(file, bytes);
    tagSKIN skin;
    bool result = ReadDescription(file, skin);
    if (ok) *ok = result;
    return DefOf(skin);
}

// The model as the record form carries it: no output, no defaults, no section outputs and no
// attribute descriptions.
inline SkinDef AsRecordForm(SkinDef model) {
    model.outputPath = CString();
    model.separateFiles = false;
    model.defaults.reset();
    for (SectionDef& s : model.sections) {
        s.output = CString();
        for (ComponentDef& c : s.components)
            for (AttributeDef& a : c.attributes)
                a.description = CString();
    }
    return model;
}

// The model as the text form carries it: the skin's name is the information's name.
inline SkinDef AsTextForm(SkinDef model) {
    model.name = model.information.name;
    return model;
}

// The sections of a model in brief, for table rows: "id{component-id/name a=value;...}".
inline std::string Outline(const SkinDef& skin) {
    std::string out;
    for (const SectionDef& s : skin.sections) {
        out += (out.empty() ? "" : " ") + s.id.ToUtf8() + "{";
        for (const ComponentDef& c : s.components) {
            out += c.id.ToUtf8() + "/" + c.name.ToUtf8();
            for (const AttributeDef& a : c.attributes)
                out += " " + a.id.ToUtf8() + "=" + a.value.ToUtf8();
            out += ";";
        }
        out += "}";
    }
    return out;
}
