#include "skindesc/skinmodel.h"

tagSKIN::~tagSKIN() {
    ClearSkin(*this);
}

void ReleaseComponent(tagCOMPONENT* component) {
    if (!component) return;
    for (void* p : component->attributes)
        delete static_cast<tagATTRIBUTE*>(p);
    for (void* p : component->properties)
        delete static_cast<tagPROPERTY*>(p);
    delete component;
}

void ReleaseSection(tagSECTION* section) {
    if (!section) return;
    for (void* p : section->components)
        ReleaseComponent(static_cast<tagCOMPONENT*>(p));
    delete section;
}

void ClearSkin(tagSKIN& skin) {
    ReleaseSection(skin.defaults);
    skin.defaults = nullptr;
    for (void* p : skin.sections)
        ReleaseSection(static_cast<tagSECTION*>(p));
    skin.sections.RemoveAll();
    skin.name.Empty();
    skin.information = tagSKININFORMATION();
}
