// Loading skin descriptions, in either form, into the skin model.
//
// Text form: the first "information", "defaults" and "output" elements anywhere in the
// document, then every "section" element that has an "id", each with its "component" elements
// and their "attribute" and "property" elements. A text form always loads, whatever it lacks.
//
// Record form: "SKIN", the name, "SKININFORMATION", six information fields, then records
// "SECTION" id / "COMPONENT" id name type / "ATTRIBUTE" id name type value / "PROPERTY" id type
// value, up to an empty string or the end of the file. A wrong mark or keyword, or a record
// without the section or component it belongs to, fails; what was read until then stays in the
// skin for the caller to clear.
//
// Loading applies no defaults: the defaults section is kept as it is, and the values that
// controls read are the stored values.
#pragma once

#include "skindesc/skinmodel.h"

#include <string_view>

// Appends the description's sections to skin and overwrites its other fields.
bool ReadDescription(CFile& file, tagSKIN& skin);
// As ReadDescription on the file at path; false when it cannot be opened for reading.
bool ReadDescriptionFile(const CString& path, tagSKIN& skin);
// Only the information. Attributes the text form lacks leave their fields as they were.
bool ReadSkinInformation(CFile& file, tagSKININFORMATION& info);

// Keywords of the record form.
inline constexpr std::u16string_view kRecordSkin = u"SKIN";
inline constexpr std::u16string_view kRecordInformation = u"SKININFORMATION";
inline constexpr std::u16string_view kRecordSection = u"SECTION";
inline constexpr std::u16string_view kRecordComponent = u"COMPONENT";
inline constexpr std::u16string_view kRecordAttribute = u"ATTRIBUTE";
inline constexpr std::u16string_view kRecordProperty = u"PROPERTY";
