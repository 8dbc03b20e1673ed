// Typed values of a component's attributes.
//
// Every value is text with a type name (compared ignoring letter case):
//   "bool"      "true" in any letter case is true, any other text false
//   "numeric"   one decimal number (signed 32-bit, or the same bits unsigned)
//   "choice..." a type whose first six characters are "choice": one decimal number, unsigned
//   "color"     red,green,blue packed as 0x00BBGGRR, each the number's lowest 8 bits
//   "rect"      left,top,right,bottom
//   "point"     x,y
//   "file"      the name of an entry of the skin's package
// Numbers read as _wtol reads them: blanks, a sign, decimal digits, then anything is ignored;
// hexadecimal reads as 0. Missing commas are not detected (see ParseFields).
//
// The readers look the key up with FindAttribute and give the empty value (false, 0, "", a
// rectangle or point of zeros) with a false result when the attribute is missing or of another
// type. An unparsable value of the right type reads as zeros with a true result.
#pragma once

#include "skindesc/skinmodel.h"

// The first attribute whose id equals key, ignoring letter case; null when none.
tagATTRIBUTE* FindAttribute(const CPtrList& attributes, const CString& key);

bool GetAttributeString(const CPtrList& attributes, const CString& key, CString& value);
bool GetAttributeBool(const CPtrList& attributes, const CString& key, bool& value);
bool GetAttributeRect(const CPtrList& attributes, const CString& key, RECT& value);
bool GetAttributeDWord(const CPtrList& attributes, const CString& key, DWORD& value);
bool GetAttributeLong(const CPtrList& attributes, const CString& key, LONG& value);
// The same for a host `long`, holding the sign-extended 32-bit value.
bool GetAttributeLong(const CPtrList& attributes, const CString& key, long& value);
bool GetAttributePoint(const CPtrList& attributes, const CString& key, POINT& value);

// The same with the key as text: the controls read their attributes by literal names at every
// skin change, and these read them without making a CString of each name.
tagATTRIBUTE* FindAttribute(const CPtrList& attributes, LPCWSTR key);
bool GetAttributeString(const CPtrList& attributes, LPCWSTR key, CString& value);
bool GetAttributeBool(const CPtrList& attributes, LPCWSTR key, bool& value);
bool GetAttributeRect(const CPtrList& attributes, LPCWSTR key, RECT& value);
bool GetAttributeDWord(const CPtrList& attributes, LPCWSTR key, DWORD& value);
bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, LONG& value);
bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, long& value);
bool GetAttributePoint(const CPtrList& attributes, LPCWSTR key, POINT& value);

// A name to look an attribute up by in an index, with its length (up to its first zero unit)
// and its hash. From a literal the compiler works both out; other text is measured when the key
// is made.
class CAttributeKey {
public:
    template <size_t N> consteval CAttributeKey(const char16_t (&text)[N]) : m_text(text) {
        Measure();
    }
    explicit CAttributeKey(LPCWSTR text) : m_text(text ? text : u"") { Measure(); }
    // A name whose length up to its first zero unit is already known.
    CAttributeKey(LPCWSTR text, size_t length)
        : m_text(text), m_length(length), m_hash(HashOf(text, length)) {}

    LPCWSTR Text() const { return m_text; }
    size_t Length() const { return m_length; }
    uint32_t Hash() const { return m_hash; }

    // From the length and four units folded to lower case: a few steps whatever the length,
    // and names equal ignoring case hash alike.
    static constexpr uint32_t HashOf(const WCHAR* name, size_t length) {
        if (!length) return 0;
        uint32_t h = uint32_t(length) * 0x9E3779B1u;
        h = (h ^ WideToLower(name[0])) * 0x85EBCA77u;
        h = (h ^ WideToLower(name[length / 2])) * 0xC2B2AE3Du;
        h = (h ^ WideToLower(name[length - 2 + (length < 2)])) * 0x27D4EB2Fu;
        h = (h ^ WideToLower(name[length - 1])) * 0x165667B1u;
        return h ^ (h >> 16);
    }

private:
    constexpr void Measure() {
        while (m_text[m_length])
            ++m_length;
        m_hash = HashOf(m_text, m_length);
    }

    LPCWSTR m_text;
    size_t m_length = 0;
    uint32_t m_hash = 0;
};

// A component's attributes indexed once for the many look-ups of a control's Update: the same
// answers as FindAttribute and the readers above give on the list, without a walk of the list
// for each name. The list must stay as it is while the index is in use. A list longer than a
// control's set of attributes is walked as before.
class CAttributeIndex {
public:
    CAttributeIndex(const CPtrList& attributes); // implicit: a list reads through an index
    tagATTRIBUTE* Find(const CAttributeKey& key) const;

private:
    // Open addressing over a small table of entry numbers, so that an index costs little to
    // make: one is made at every Update of every control.
    static constexpr size_t kSlots = 64, kMost = kSlots / 2; // never more than half full
    // The slot of the entry named key, or the empty slot where it would go.
    [[gnu::always_inline]] inline size_t SlotOf(const CAttributeKey& key) const;
    const CPtrList& m_list;
    bool m_indexed = false;
    uint8_t m_count = 0;
    uint8_t m_slot[kSlots] = {}; // 0: empty; otherwise 1 + the entry's number
    uint32_t m_hash[kMost];
    uint32_t m_length[kMost];
    tagATTRIBUTE* m_attribute[kMost];
};

bool GetAttributeString(const CAttributeIndex& attributes, const CAttributeKey& key, CString& value);
bool GetAttributeBool(const CAttributeIndex& attributes, const CAttributeKey& key, bool& value);
bool GetAttributeRect(const CAttributeIndex& attributes, const CAttributeKey& key, RECT& value);
bool GetAttributeDWord(const CAttributeIndex& attributes, const CAttributeKey& key, DWORD& value);
bool GetAttributeLong(const CAttributeIndex& attributes, const CAttributeKey& key, LONG& value);
bool GetAttributePoint(const CAttributeIndex& attributes, const CAttributeKey& key, POINT& value);

COLORREF ParseColor(const CString& value);
RECT ParseRect(const CString& value);
POINT ParsePoint(const CString& value);

// Type names, for readers of properties that share the syntax.
bool IsBoolType(const CString& type);
bool IsNumericType(const CString& type);
bool IsChoiceType(const CString& type);
bool IsColorType(const CString& type);
bool IsRectType(const CString& type);
bool IsPointType(const CString& type);
bool IsFileType(const CString& type);
