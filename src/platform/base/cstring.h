// CString: the framework's string of UTF-16 code units with a counted length.
//
// Positions and counts are in code units. Out-of-range arguments are clamped the way the
// framework clamps them (a zero or negative count gives the empty string, a start past the end
// finds nothing) so that callers never index outside the text.
//
// Storage: a skin model holds tens of thousands of short texts (identifiers, type names,
// values; most are 11 code units or fewer), so a text of up to 11 code units lives inside the
// object with no heap block, and a longer one in a single block sized to it. The object is 24
// bytes either way. Copies are deep; moving a heap text hands its block over. As with any
// string, a pointer into the text is valid until the string is changed, moved from or
// destroyed.
#pragma once

#include "platform/base/wintypes.h"

#include <cstdarg>
#include <cstring>
#include <string>
#include <string_view>
#include <variant>

class CString {
public:
    CString() noexcept { SetInlineLength(0); }
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString() { FreeBlock(); }
    CString(LPCWSTR text);
    CString(LPCWSTR text, int length);
    CString(WCHAR ch, int repeat = 1);
    explicit CString(const std::u16string& text) : CString(std::u16string_view(text)) {}
    explicit CString(std::u16string_view text);

    // Host boundary: UTF-8 in and out (invalid sequences become U+FFFD).
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCWSTR text);
    CString& operator=(WCHAR ch);
    CString& operator+=(const CString& s);
    CString& operator+=(LPCWSTR text);
    CString& operator+=(WCHAR ch);

    int GetLength() const {
        return int(IsHeap() ? Heap<UINT>(kLengthAt) : UINT(kInline - m_units[kInline]));
    }
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty() { SetLength(0); }

    WCHAR GetAt(int index) const;
    WCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, WCHAR ch);

    operator LPCWSTR() const { return Data(); }
    LPCWSTR GetString() const { return Data(); }
    std::u16string Str() const { return std::u16string(View()); }
    std::u16string_view View() const { return {Data(), size_t(GetLength())}; }

    int Compare(LPCWSTR other) const;
    int CompareNoCase(LPCWSTR other) const;

    int Find(WCHAR ch, int start = 0) const;
    int Find(LPCWSTR sub, int start = 0) const;
    int ReverseFind(WCHAR ch) const;
    int FindOneOf(LPCWSTR chars) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Replaces every occurrence, scanning left to right without overlap; returns the count.
    int Replace(WCHAR oldCh, WCHAR newCh);
    int Replace(LPCWSTR oldText, LPCWSTR newText);
    int Remove(WCHAR ch);
    int Insert(int index, WCHAR ch);
    int Insert(int index, LPCWSTR text);
    int Delete(int index, int count = 1);

    void TrimLeft();
    void TrimRight();
    void Trim() { TrimRight(), TrimLeft(); }
    void TrimLeft(WCHAR ch);
    void TrimRight(WCHAR ch);

    void MakeUpper();
    void MakeLower();

    // Formatting: a printf-like subset (%s %c %d %i %u %x %X %%, with flags, width and precision;
    // %s takes wide text). Arguments are checked against their conversions at run time: a
    // mismatch formats as nothing rather than reading a wrong type.
    using FormatArg = std::variant<long long, unsigned long long, double, LPCWSTR, const char*>;
    template <class... Args> void Format(LPCWSTR format, const Args&... args) {
        const FormatArg list[] = {ToFormatArg(args)..., FormatArg(0LL)};
        FormatList(format, list, sizeof...(Args));
    }
    template <class... Args> void AppendFormat(LPCWSTR format, const Args&... args) {
        CString more;
        more.Format(format, args...);
        *this += more;
    }
    void FormatList(LPCWSTR format, const FormatArg* args, size_t count);

    // Direct buffer access, as a file read or a platform call fills it. GetBuffer lengthens the
    // text to minLength (with zero units) when it is shorter; ReleaseBuffer(-1) ends it at its
    // first zero unit, ReleaseBuffer(n) at n units when it holds that many.
    LPWSTR GetBuffer(int minLength);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, WCHAR b);
    friend CString operator+(WCHAR a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.View() == b.View(); }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.View() < b.View(); }

private:
    template <class T> static FormatArg ToFormatArg(const T& v) {
        if constexpr (std::is_same_v<T, CString>)
            return FormatArg(v.GetString());
        else if constexpr (std::is_convertible_v<T, LPCWSTR>)
            return FormatArg(static_cast<LPCWSTR>(v));
        else if constexpr (std::is_convertible_v<T, const char*>)
            return FormatArg(static_cast<const char*>(v));
        else if constexpr (std::is_floating_point_v<T>)
            return FormatArg(static_cast<double>(v));
        else if constexpr (std::is_enum_v<T>)
            return FormatArg(static_cast<long long>(v));
        else if constexpr (std::is_signed_v<T>)
            return FormatArg(static_cast<long long>(v));
        else
            return FormatArg(static_cast<unsigned long long>(v));
    }

    // Inline, m_units[kInline] holds kInline minus the length, so a full inline text finds its
    // terminator there. A heap text keeps its block's address, length and capacity (units, not
    // counting the terminator) in the first 16 bytes, copied in and out field by field and never
    // read through another type, and kHeap in m_units[kInline].
    static constexpr int kInline = 11;
    static constexpr WCHAR kHeap = 0xFFFF;
    enum HeapField : size_t { kUnitsAt = 0, kLengthAt = 8, kCapacityAt = 12 };
    template <class T> T Heap(HeapField at) const {
        T value;
        std::memcpy(&value, reinterpret_cast<const char*>(m_units) + at, sizeof value);
        return value;
    }
    template <class T> void SetHeap(HeapField at, T value) {
        std::memcpy(reinterpret_cast<char*>(m_units) + at, &value, sizeof value);
    }
    // Takes units (a block of capacity + 1) as the text; any earlier block is already freed.
    void SetBlock(WCHAR* units, size_t length, size_t capacity);

    bool IsHeap() const { return m_units[kInline] == kHeap; }
    void SetInlineLength(int length) {
        m_units[length] = 0;
        m_units[kInline] = WCHAR(kInline - length);
    }
    const WCHAR* Data() const { return IsHeap() ? Heap<WCHAR*>(kUnitsAt) : m_units; }
    WCHAR* Data() { return IsHeap() ? Heap<WCHAR*>(kUnitsAt) : m_units; }
    size_t Capacity() const { return IsHeap() ? Heap<UINT>(kCapacityAt) : size_t(kInline); }
    // Sets the length (at most the capacity) and writes the terminator.
    void SetLength(size_t length);
    // The storage as it is, read once for an edit, and the edit's end: the new length (at most
    // the capacity) and the terminator.
    struct Storage {
        WCHAR* units;
        size_t length, capacity;
    };
    Storage Current() {
        if (IsHeap())
            return {Heap<WCHAR*>(kUnitsAt), Heap<UINT>(kLengthAt), Heap<UINT>(kCapacityAt)};
        return {m_units, size_t(kInline - m_units[kInline]), size_t(kInline)};
    }
    void Ended(const Storage& storage, size_t length) {
        storage.units[length] = 0;
        if (storage.units == m_units)
            m_units[kInline] = WCHAR(kInline - length);
        else
            SetHeap(kLengthAt, UINT(length));
    }
    // Makes room for exactly capacity units when there is less, keeping the text; returns the
    // units.
    WCHAR* Reserve(size_t capacity);
    void FreeBlock();
    // units may lie inside this string, for both.
    void Assign(const WCHAR* units, size_t count) {
        Storage now = Current();
        if (count > now.capacity) return AssignToNewBlock(units, count);
        if (count) std::memmove(now.units, units, count * sizeof(WCHAR));
        Ended(now, count);
    }
    void Append(const WCHAR* units, size_t count) {
        Storage now = Current();
        if (now.length + count > now.capacity) return AppendToNewBlock(now, units, count);
        if (count) std::memmove(now.units + now.length, units, count * sizeof(WCHAR));
        Ended(now, now.length + count);
    }
    void AssignToNewBlock(const WCHAR* units, size_t count);
    void AppendToNewBlock(const Storage& now, const WCHAR* units, size_t count);

    alignas(void*) WCHAR m_units[kInline + 1];
};

// Case folding the way the platform's _wcsicmp folds: ASCII and Latin-1 letters. Inline: every
// lookup by name folds its units.
constexpr WCHAR WideToLower(WCHAR ch) {
    if (ch >= u'A' && ch <= u'Z') return WCHAR(ch + 32);
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7) return WCHAR(ch + 32);
    return ch;
}
inline WCHAR WideToUpper(WCHAR ch) {
    if (ch >= u'a' && ch <= u'z') return WCHAR(ch - 32);
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return WCHAR(ch - 32);
    return ch;
}
// The one comparison that ignores letter case (behind _wcsicmp, CString::CompareNoCase and the
// library's own lookups): units folded by WideToLower, a shorter text first.
int CompareIgnoringCase(std::u16string_view a, std::u16string_view b);
inline bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}
bool IsWideSpace(WCHAR ch);
