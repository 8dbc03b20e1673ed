#include "skindesc/skinvalues.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The usual form, such as "12,-3,45": each field but the last a plain decimal number ending at
// its comma, the last one starting with one (or empty). Read in one pass, giving what the
// general reading gives; false for any other form, which that reading then takes.
bool ParsePlainFields(const CString& value, LONG* fields, int count) {
    const WCHAR* p = value.GetString();
    const WCHAR* const end = p + value.GetLength();
    for (int k = 0; k < count; ++k) {
        const bool last = k + 1 == count;
        if (last && p == end) {
            fields[k] = 0;
            return true;
        }
        bool negative = false;
        if (*p == u'+' || *p == u'-') negative = *p++ == u'-';
        const WCHAR* digits = p;
        uint32_t v = 0;
        for (; p < end && *p >= u'0' && *p <= u'9'; ++p)
            v = v * 10u + uint32_t(*p - u'0');
        if (p == digits || (!last && (p == end || *p != u','))) return false;
        fields[k] = static_cast<LONG>(negative ? 0u - v : v);
        ++p; // past the comma (the last field reads no further)
    }
    return true;
}

// Reads `count` comma-separated fields. Separator k+1 is searched from separator k + 1; a
// search that finds nothing gives -1, so the next one starts at 0 again. A field of zero or
// negative length reads as 0. Thus "7" as a point is (0, 7), and "5,6" as a colour gives red 5,
// green 0 and blue 5: the last field runs from the last separator found + 1 to the end.
void ParseFields(const CString& value, LONG* fields, int count) {
    if (ParsePlainFields(value, fields, count)) return;
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

const tagATTRIBUTE* OfType(const tagATTRIBUTE* a, bool (*isType)(const CString&)) {
    return a && isType(a->type) ? a : nullptr;
}

// Whether a name of the given length may equal a key of keyLength units without zero units
// (names compare up to their first zero unit): only names of its length, or longer ones that end
// early.
bool LengthMayMatch(const CString& id, int keyLength) {
    int n = id.GetLength();
    return n == keyLength || (n > keyLength && id.GetString()[keyLength] == 0);
}

// Units equal as they stand, or once folded: names are mostly written in one letter case, so
// the fold is rarely needed.
inline bool SameIgnoringCase(WCHAR x, WCHAR y) {
    return x == y || WideToLower(x) == WideToLower(y);
}

// n units equal ignoring letter case: names are mostly written in one letter case, so they are
// compared as they stand first.
inline bool SameUnits(const WCHAR* a, const WCHAR* b, size_t n) {
    if (std::memcmp(a, b, n * sizeof(WCHAR)) == 0) return true;
    for (size_t i = 0; i < n; ++i)
        if (!SameIgnoringCase(a[i], b[i])) return false;
    return true;
}

// Whether text starts with name (lower case, no zero units), ignoring letter case; a terminator
// in text stops it too.
template <size_t N> bool StartsWithLowerName(const CString& text, const char16_t (&name)[N]) {
    const WCHAR* units = text.GetString();
    for (size_t i = 0; i + 1 < N; ++i)
        if (units[i] != name[i] && WideToLower(units[i]) != name[i]) return false;
    return true;
}

// Whether text, compared up to its first zero unit and ignoring letter case, equals name: the
// same answer as _wcsicmp(text, name) == 0 without a call per unit. Every reader asks this of
// a type name.
template <size_t N> bool EqualsLowerName(const CString& text, const char16_t (&name)[N]) {
    return LengthMayMatch(text, int(N) - 1) && StartsWithLowerName(text, name);
}

} // namespace

bool IsBoolType(const CString& type) {
    return EqualsLowerName(type, u"bool");
}
bool IsNumericType(const CString& type) {
    return EqualsLowerName(type, u"numeric");
}
bool IsChoiceType(const CString& type) {
    return StartsWithLowerName(type, u"choice"); // "choice" followed by anything
}
bool IsColorType(const CString& type) {
    return EqualsLowerName(type, u"color");
}
bool IsRectType(const CString& type) {
    return EqualsLowerName(type, u"rect");
}
bool IsPointType(const CString& type) {
    return EqualsLowerName(type, u"point");
}
bool IsFileType(const CString& type) {
    return EqualsLowerName(type, u"file");
}

tagATTRIBUTE* FindAttribute(const CPtrList& attributes, LPCWSTR key) {
    if (!key) key = u"";
    // A component has many attributes, and every control reads most of them at every skin
    // change. The length rules out most names; names of a kind share their start ("font_",
    // "image_"), so comparing from the end rules out the others at once. A name that passes is
    // compared over the key's length alone: the key has no zero units, and the name ends there.
    const int keyLength = int(std::char_traits<WCHAR>::length(key));
    for (void* p : attributes) {
        auto* a = static_cast<tagATTRIBUTE*>(p);
        if (!a || !LengthMayMatch(a->id, keyLength)) continue;
        const WCHAR* id = a->id.GetString();
        int i = keyLength - 1;
        while (i >= 0 && SameIgnoringCase(id[i], key[i]))
            --i;
        if (i < 0) return a;
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

namespace {

// The readers, given the attribute found for the key (or null).
bool ReadString(const tagATTRIBUTE* a, CString& value) {
    value = a ? a->value : CString();
    return a != nullptr;
}

bool ReadBool(const tagATTRIBUTE* a, bool& value) {
    a = OfType(a, IsBoolType);
    value = a && EqualsLowerName(a->value, u"true");
    return a != nullptr;
}

bool ReadRect(const tagATTRIBUTE* a, RECT& value) {
    a = OfType(a, IsRectType);
    value = a ? ParseRect(a->value) : RECT{0, 0, 0, 0};
    return a != nullptr;
}

bool ReadDWord(const tagATTRIBUTE* a, DWORD& value) {
    value = 0;
    if (!a) return false;
    if (IsNumericType(a->type) || IsChoiceType(a->type))
        value = DWORD(_wtol(a->value));
    else if (IsColorType(a->type))
        value = ParseColor(a->value);
    else
        return false;
    return true;
}

bool ReadLong(const tagATTRIBUTE* a, LONG& value) {
    a = OfType(a, IsNumericType);
    value = a ? _wtol(a->value) : 0;
    return a != nullptr;
}

bool ReadPoint(const tagATTRIBUTE* a, POINT& value) {
    a = OfType(a, IsPointType);
    value = a ? ParsePoint(a->value) : POINT{0, 0};
    return a != nullptr;
}

} // namespace

bool GetAttributeString(const CPtrList& attributes, LPCWSTR key, CString& value) {
    return ReadString(FindAttribute(attributes, key), value);
}
bool GetAttributeBool(const CPtrList& attributes, LPCWSTR key, bool& value) {
    return ReadBool(FindAttribute(attributes, key), value);
}
bool GetAttributeRect(const CPtrList& attributes, LPCWSTR key, RECT& value) {
    return ReadRect(FindAttribute(attributes, key), value);
}
bool GetAttributeDWord(const CPtrList& attributes, LPCWSTR key, DWORD& value) {
    return ReadDWord(FindAttribute(attributes, key), value);
}
bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, LONG& value) {
    return ReadLong(FindAttribute(attributes, key), value);
}
bool GetAttributeLong(const CPtrList& attributes, LPCWSTR key, long& value) {
    LONG v = 0;
    bool found = GetAttributeLong(attributes, key, v);
    value = v;
    return found;
}
bool GetAttributePoint(const CPtrList& attributes, LPCWSTR key, POINT& value) {
    return ReadPoint(FindAttribute(attributes, key), value);
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

// --- the index ---------------------------------------------------------------------------------

namespace {

// The units of a name before its first zero unit, looking no further than its own length: the
// names read from a description hold no zero units, and they are checked eight at a time rather
// than walked one by one.
size_t NameLength(const CString& name) {
    const WCHAR* text = name.GetString();
    const size_t n = size_t(name.GetLength());
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    auto zeros = [&zero](const WCHAR* at) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        return unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(v, zero)));
    };
    for (; i + 8 <= n; i += 8)
        if (unsigned m = zeros(text + i)) return i + size_t(std::countr_zero(m)) / 2;
    if (i < n && n >= 8) {
        // The last eight units, overlapping some already seen to hold no zero.
        unsigned m = zeros(text + n - 8);
        return m ? n - 8 + size_t(std::countr_zero(m)) / 2 : n;
    }
#endif
    while (i < n && text[i])
        ++i;
    return i;
}

} // namespace

CAttributeIndex::CAttributeIndex(const CPtrList& attributes) : m_list(attributes) {
    if (size_t(attributes.GetCount()) > kMost) return; // more than a control reads: walked
    // The records were made one by one while the description was read and lie apart: all are
    // asked for before the first is read, so that their loads overlap instead of queueing.
    for (void* p : attributes) {
        __builtin_prefetch(p);
        __builtin_prefetch(static_cast<const char*>(p) + sizeof(tagATTRIBUTE) - 1);
    }
    for (void* p : attributes) {
        auto* a = static_cast<tagATTRIBUTE*>(p);
        if (!a) continue;
        CAttributeKey key(a->id.GetString(), NameLength(a->id));
        size_t i = SlotOf(key);
        if (m_slot[i]) continue; // the first of equal names is the one found
        m_hash[m_count] = key.Hash();
        m_length[m_count] = uint32_t(key.Length());
        m_attribute[m_count] = a;
        m_slot[i] = ++m_count;
    }
    m_indexed = true;
}

size_t CAttributeIndex::SlotOf(const CAttributeKey& key) const {
    size_t i = key.Hash() % kSlots;
    for (; m_slot[i]; i = (i + 1) % kSlots) {
        size_t e = m_slot[i] - 1u;
        if (m_hash[e] == key.Hash() && m_length[e] == key.Length() &&
            SameUnits(m_attribute[e]->id.GetString(), key.Text(), key.Length()))
            break;
    }
    return i;
}

tagATTRIBUTE* CAttributeIndex::Find(const CAttributeKey& key) const {
    if (!m_indexed) return FindAttribute(m_list, key.Text());
    size_t i = SlotOf(key);
    return m_slot[i] ? m_attribute[m_slot[i] - 1u] : nullptr;
}

bool GetAttributeString(const CAttributeIndex& attributes, const CAttributeKey& key, CString& value) {
    return ReadString(attributes.Find(key), value);
}
bool GetAttributeBool(const CAttributeIndex& attributes, const CAttributeKey& key, bool& value) {
    return ReadBool(attributes.Find(key), value);
}
bool GetAttributeRect(const CAttributeIndex& attributes, const CAttributeKey& key, RECT& value) {
    return ReadRect(attributes.Find(key), value);
}
bool GetAttributeDWord(const CAttributeIndex& attributes, const CAttributeKey& key, DWORD& value) {
    return ReadDWord(attributes.Find(key), value);
}
bool GetAttributeLong(const CAttributeIndex& attributes, const CAttributeKey& key, LONG& value) {
    return ReadLong(attributes.Find(key), value);
}
bool GetAttributePoint(const CAttributeIndex& attributes, const CAttributeKey& key, POINT& value) {
    return ReadPoint(attributes.Find(key), value);
}
