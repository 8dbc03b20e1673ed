// Loading the text form. Each element found is removed from the text it was found in, so the
// information, defaults and output elements are gone before sections are searched, and the
// components of the defaults are never taken for components of a section. The text is held
// once: sections and components are scanned where they lie in it.
#include "skindesc/attributetext.h"
#include "skindesc/descforms.h"
#include "skindesc/descreader.h"
#include "skindesc/elementscanner.h"

namespace {

// Views of literals: nothing to construct when the library is loaded.
constexpr std::u16string_view kInformation = u"information", kDefaults = u"defaults",
                              kOutput = u"output", kSection = u"section", kComponent = u"component",
                              kAttribute = u"attribute", kProperty = u"property";

tagATTRIBUTE* NewAttribute(const CString& text) {
    CAttributeText pairs(text);
    auto* a = new tagATTRIBUTE;
    a->id = pairs.Get(u"id");
    a->name = pairs.Get(u"name");
    a->type = pairs.Get(u"type");
    a->value = pairs.Get(u"value");
    a->description = pairs.Get(u"description");
    return a;
}

tagPROPERTY* NewProperty(const CString& text) {
    CAttributeText pairs(text);
    auto* p = new tagPROPERTY;
    p->id = pairs.Get(u"id");
    p->type = pairs.Get(u"type");
    p->value = pairs.Get(u"value");
    return p;
}

tagCOMPONENT* NewComponent(const CString& text, CElementScanner& content) {
    CAttributeText pairs(text);
    auto* component = new tagCOMPONENT;
    component->id = pairs.Get(u"id");
    component->name = pairs.Get(u"name");
    component->type = pairs.Get(u"type");
    CString inner, attributes;
    while (content.FindElement(kAttribute, inner, &attributes))
        component->attributes.AddTail(NewAttribute(attributes));
    while (content.FindElement(kProperty, inner, &attributes))
        component->properties.AddTail(NewProperty(attributes));
    return component;
}

// Components are read where they lie in the section's content, which lies in the document.
void ReadComponents(CElementScanner& content, tagSECTION& section) {
    CElementScanner inner;
    CString attributes;
    while (content.FindElement(kComponent, inner, &attributes))
        section.components.AddTail(NewComponent(attributes, inner));
}

void ReadInformationElement(CElementScanner& document, tagSKININFORMATION& info, bool& found) {
    CString content, attributes;
    found = document.FindElement(kInformation, content, &attributes);
    if (!found) return;
    CAttributeText pairs(attributes);
    CString value;
    if (pairs.Get(u"name", value)) info.name = value;
    if (pairs.Get(u"version", value)) info.version = value;
    if (pairs.Get(u"description", value)) info.description = value;
    if (pairs.Get(u"author", value)) info.author = value;
    if (pairs.Get(u"email", value)) info.email = value;
    if (pairs.Get(u"webpage", value)) info.webpage = value;
}

void ReadDefaults(CElementScanner& document, tagSKIN& skin) {
    ReleaseSection(skin.defaults);
    skin.defaults = nullptr;
    CElementScanner content;
    if (!document.FindElement(kDefaults, content, nullptr)) return;
    skin.defaults = new tagSECTION;
    skin.defaults->id = kDefaultsSectionId;
    ReadComponents(content, *skin.defaults);
}

void ReadOutput(CElementScanner& document, tagSKIN& skin) {
    CString content, attributes;
    if (!document.FindElement(kOutput, content, &attributes)) return;
    CAttributeText pairs(attributes);
    skin.outputPath = pairs.Get(u"path");
    skin.separateFiles = pairs.Get(u"separatefiles").CompareNoCase(u"true") == 0;
}

void ReadSections(CElementScanner& document, tagSKIN& skin) {
    CElementScanner content;
    CString attributes;
    while (document.FindElement(kSection, content, &attributes)) {
        CAttributeText pairs(attributes);
        CString id;
        if (!pairs.Get(u"id", id)) continue;
        auto* section = new tagSECTION;
        section->id = id;
        section->output = pairs.Get(u"output");
        ReadComponents(content, *section);
        skin.sections.AddTail(section);
    }
}

} // namespace

void ReadTextForm(CFile& file, tagSKIN& skin) {
    std::u16string units;
    CElementScanner document(ViewTextUnits(file, units));
    bool found = false;
    ReadInformationElement(document, skin.information, found);
    skin.name = skin.information.name;
    ReadDefaults(document, skin);
    ReadOutput(document, skin);
    ReadSections(document, skin);
}

bool ReadTextFormInformation(CFile& file, tagSKININFORMATION& info) {
    std::u16string units;
    CElementScanner document(ViewTextUnits(file, units));
    bool found = false;
    ReadInformationElement(document, info, found);
    return found;
}
