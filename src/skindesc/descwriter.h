// Writing a skin description in the text form or the record form.
//
// Defaults rule: an attribute with an empty value, in a component of type T, takes the value of
// the first attribute with the same id (letter case ignored) in the defaults component of type
// T (types matched exactly; of several defaults components of one type the last counts). The
// record form always applies the defaults; the text form applies them unless it writes the
// defaults section as its own element, leaving the values as they are.
//
// Resources: the values of "file" attributes (after the defaults) and "file" properties of the
// sections, each distinct non-empty value once, in the order first met.
#pragma once

#include "skindesc/skinmodel.h"

// Writes FF FE and the description from the start of file. Always true.
bool WriteDescription(const tagSKIN& skin, CFile& file, bool textForm, bool writeDefaultsSection,
                      CStringList* resources);
// Creates (or truncates) the file at path and writes the description; false when the file
// cannot be created or written.
bool WriteDescriptionFile(const tagSKIN& skin, const CString& path, bool textForm,
                          bool writeDefaultsSection, CStringList* resources);

// The writers behind WriteDescription; each starts where the file stands.
class CDefaultsMap;
void WriteTextForm(const tagSKIN& skin, CFile& file, bool writeDefaultsSection,
                   CStringList* resources);
void WriteSectionText(const tagSECTION& section, CFile& file, const CDefaultsMap* defaults,
                      CStringList* resources);
void WriteRecordForm(const tagSKIN& skin, CFile& file, CStringList* resources);
// One component element of the text form, indented as inside a section.
void WriteComponentText(const tagCOMPONENT& component, CFile& file, const CDefaultsMap* defaults,
                        CStringList* resources);

// Defaults components by type, for applying the defaults rule.
class CDefaultsMap {
public:
    explicit CDefaultsMap(const tagSECTION* defaults);
    // The attribute's value with the defaults applied for a component of the given type.
    CString Apply(const tagATTRIBUTE& attribute, const CString& componentType) const;

private:
    CMapStringToPtr m_byType; // type -> tagCOMPONENT*
};
