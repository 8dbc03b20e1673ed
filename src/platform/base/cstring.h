// CString: the framework's string of UTF-16 code units with a counted length.
//
// Positions and counts are in code units. Out-of-range arguments are clamped the way the
// framework clamps them (a zero or negative count gives the empty string, a start past the end
// finds nothing) so that callers never index outside the text.
#pragma once

#include "platform/base/wintypes.h"

#include <cstdarg>
#include <string>
#include <string_view>
#include <variant>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR text);
    CString(LPCWSTR text, int length);
    CString(WCHAR ch, int repeat = 1);
    explicit CString(std::u16string text) : m_text(std::move(text)) {}
    explicit CString(std::u16string_view text) : m_text(text) {}

    // Host boundary: UTF-8 in and out (invalid sequences become U+FFFD).
    static CString FromUtf8(std::string_view utf8);
    std::string ToUtf8() const;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR text);
    CString& operator=(WCHAR ch);
    CString& operator+=(const CString& s);
    CString& operator+=(LPCWSTR text);
    CString& operator+=(WCHAR ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    WCHAR GetAt(int index) const;
    WCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, WCHAR ch);

    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }
    const std::u16string& Str() const { return m_text; }
    std::u16string_view View() const { return m_text; }

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

    // Direct buffer access, as a file read or a platform call fills it.
    LPWSTR GetBuffer(int minLength);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, WCHAR b);
    friend CString operator+(WCHAR a, const CString& b);
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

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

    std::u16string m_text;
};

// Case folding the way the platform's _wcsicmp folds: ASCII and Latin-1 letters. Inline: every
// lookup by name folds its units.
inline WCHAR WideToLower(WCHAR ch) {
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
