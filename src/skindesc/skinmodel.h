// The in-memory skin model: a skin, its sections, their components, and each component's
// attributes and properties.
//
// Every list is a CPtrList in document order whose pointers are owned by the list's holder.
// Ownership is released only from the top: ClearSkin (or destroying the tagSKIN) frees every
// section, component, attribute and property it reaches. Destroying a section or component on
// its own frees only its strings and list nodes, so records can be moved from one skin to
// another by unlinking them from the first. ReleaseSection and ReleaseComponent free a record
// that no skin holds any more, together with everything below it.
#pragma once

#include "platform/base/afx.h"

// The skin's information, as its "information" element names the fields.
struct tagSKININFORMATION {
    CString name;
    CString version;
    CString description;
    CString author;
    CString email;
    CString webpage;
};

// One typed value that a control reads; type is a value type name or "file".
struct tagATTRIBUTE {
    CString id;
    CString name;
    CString type;
    CString value;
    CString description;
};

// A typed value for controls that an application derives itself.
struct tagPROPERTY {
    CString id;
    CString type;
    CString value;
};

struct tagCOMPONENT {
    CString id; // decimal number within its section
    CString name;
    CString type; // selects the defaults component
    // Components carry up to about 16 attributes: their nodes then come in one block.
    CPtrList attributes{16}; // tagATTRIBUTE*
    CPtrList properties;     // tagPROPERTY*
};

struct tagSECTION {
    CString id;
    CString output;      // package file name when the builder makes one package per section
    CPtrList components; // tagCOMPONENT*
};

// The id of the section that holds the defaults components.
inline constexpr LPCWSTR kDefaultsSectionId = u"<defaults>";

struct tagSKIN {
    tagSKIN() = default;
    tagSKIN(const tagSKIN&) = delete;
    tagSKIN& operator=(const tagSKIN&) = delete;
    ~tagSKIN();

    CString name;
    CString outputPath;         // where the builder writes packages
    bool separateFiles = false; // one package per section
    tagSKININFORMATION information;
    tagSECTION* defaults = nullptr; // owned; id kDefaultsSectionId
    CPtrList sections;              // tagSECTION*, owned
};

// Frees every section, the defaults section and all they hold; empties name and information.
void ClearSkin(tagSKIN& skin);
// Free a record no skin owns any more, with everything it holds. Null is ignored.
void ReleaseSection(tagSECTION* section);
void ReleaseComponent(tagCOMPONENT* component);

// Typed walks over the model's pointer lists; null entries are skipped.
template <class T, class F> void ForEachRecord(const CPtrList& list, F&& visit) {
    for (void* p : list)
        if (p) visit(*static_cast<T*>(p));
}
