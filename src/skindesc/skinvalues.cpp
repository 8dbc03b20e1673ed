#include "skindesc/skinvalues.h"

namespace {

// Reads `count` comma-separated fields. Separator k+1 is searched from separator k + 1; a
// search that finds nothing gives -1, so the next one starts at 0 again. A field of zero or
// negative length reads as 0. Thus "7" as a point is (0, 7), and "5,6" as a colour gives red 5,
// green 0 and blue 5: the last field runs from the last separator found + 1 to the end.
void ParseFields(const CString& value, LONG* fields, int count) {
    int start = 0, comma = -1;
    for (int k = 0; k < count; ++k) {
        int end = value.GetLength();
        if (k + 1 < count) {
            comma = value.Find(u',', comma + 1);
            end = comma;
        }
        // A field ends at a comma or at the end, where reading a number stops anyway.
        fields[k] = end - start > 0 ? _wtol(value.GetString() + start) : 0;
        start = comma + 1;
    }
}

const tagATTRIBUTE* Typed(const CPtrList& attributes, LPCWSTR key,
                          bool (*isType)(const CString&)) {
    const tagATTRIBUTE* a = FindAttribute(attributes, key);
    return a && isType(a->type) ? a : nullptr;
}

} // namespace

bool IsBoolType(const CString& type) {
    return type.CompareNoCase(u"bool") == 0;
}
bool IsNumericType(const CString& type) {
    return type.CompareNoCase(u"numeric") == 0;
}
bool IsChoiceType(const CString& type) {
    return _wcsnicmp(type, u"choice", 6) == 0; // "choice" followed by anything
}
bool IsColorType(const CString& type) {
    return type.CompareNoCase(u"color") == 0;
}
bool IsRectType(const CString& type) {
    return type.CompareNoCase(u"rect") == 0;
}
bool IsPointType(const CString& type) {
    return type.CompareNoCase(u"point") == 0;
}
bool IsFileType(const CString& type) {
    return type.CompareNoCase(u"file") == 0;
}

namespace {

// Whether a name of the given length may equal a key of keyLength units without zero units
// (names compare up to their first zero unit): only names of its length, or longer ones that end
// early.
bool LengthMayMatch(const CString& id, int keyLength) {
    int n = id.GetLength();
    return n == keyLength || (n > keyLength && id.GetString()[keyLength] == 0);
}

} // namespace

tagATTRIBUTE* FindAttribute(const CPtrList& attributes, LPCWSTR key) {
    if (!key) key = u"";
    // A component has many attributes, and every control reads most of them at every skin
    // change: the length, then the first letter, rule out most names before they are compared.
    const int keyLength = int(std::char_traits<WCHAR>::length(key));
    WCHAR first = WideToLower(key[0]);
    for (void* p : attributes) {
        auto* a = static_cast<tagATTRIBUTE*>(p);
        if (!a || !LengthMayMatch(a->id, keyLength) || WideToLower(a->id.GetString()[0]) != first)
            continue;
        if (a->id.CompareNoCase(key) == 0) return a;
    }
    return nullptr;
}

tagATTRIBUTE* FindAttribute(const CPtrList& attributes, const CString& key) {
    return FindAttribute(attributes, key.GetString()); // both compare up to a zero unit
}

COLORREF ParseColor(const CString& value) {
    LONG f[3];
    ParseFields(value, f, 3);
    return RGB(f[0], f[1], f[2]);
}

RECT ParseRect(const CString& value) {
    LONG f[4];
    ParseFields(value, f, 4);
    return RECT{f[0], f[1], f[2], f[3]};
}

POINT ParsePoint(const CString& value) {
    LONG f[2];
    ParseFields(value, f, 2);
    return POINT{f[0], f[1]};
}

bool GetAttributeString(const CPtrList& attributes, LPCWSTR key, CString& value) {
    const tagATTRIBUTE* a = FindAttribute(attributes, key);
    value = a ? a->value : CString();
    return a != nullptr;
}

bool GetAttributeBool(const CPtrList& attributes, LPCWSTR key, bool& value) {
    const tagATTRIBUTE* a = Typed(attributes, key, IsBoolType);
    value = a && a->value.CompareNoCase(u"true") == 0;
    return a != nullptr;
}

bool GetAttributeRect(const CPtrList& attributes, LPCWSTR key, RECT& value) {
    const tagATTRIBUTE* a = Typed(attributes, key, IsRectType);
    value = a ? ParseRect(a->value) : RECT{0, 0, 0, 0};
    return a != nullptr;
}

bool GetAttributeDWord(const CPtrList& attributes, LPCWSTR key, DWORD& value) {
    value = 0;
    const tagATTRIBUTE* a = FindAttribute(attributes, key);
    if (!a) return false;
    if (IsNumericType(a->type) || IsChoiceType(a->type))
        value = DWORD(_wtol(a->value));
    else if (IsColorType(a->type))
        value = ParseColor(a->value);
    else
        return false;
    return true;
}

bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, LONG& value) {
    const tagATTRIBUTE* a = Typed(attributes, key, IsNumericType);
    value = a ? _wtol(a->value) : 0;
    return a != nullptr;
}

bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, long& value) {
    LONG v = 0;
    bool found = GetAttributeLong(attributes, key, v);
    value = v;
    return found;
}

bool GetAttributePoint(const CPtrList& attributes, LPCWSTR key, POINT& value) {
    const tagATTRIBUTE* a = Typed(attributes, key, IsPointType);
    value = a ? ParsePoint(a->value) : POINT{0, 0};
    return a != nullptr;
}

bool GetAttributeString(const CPtrList& attributes, const CString& key, CString& value) {
    return GetAttributeString(attributes, key.GetString(), value);
}
bool GetAttributeBool(const CPtrList& attributes, const CString& key, bool& value) {
    return GetAttributeBool(attributes, key.GetString(), value);
}
bool GetAttributeRect(const CPtrList& attributes, const CString& key, RECT& value) {
    return GetAttributeRect(attributes, key.GetString(), value);
}
bool GetAttributeDWord(const CPtrList& attributes, const CString& key, DWORD& value) {
    return GetAttributeDWord(attributes, key.GetString(), value);
}
bool GetAttributeLong(const CPtrList& attributes, const CString& key, LONG& value) {
    return GetAttributeLong(attributes, key.GetString(), value);
}
bool GetAttributeLong(const CPtrList& attributes, const CString& key, long& value) {
    return GetAttributeLong(attributes, key.GetString(), value);
}
bool GetAttributePoint(const CPtrList& attributes, const CString& key, POINT& value) {
    return GetAttributePoint(attributes, key.GetString(), value);
}
