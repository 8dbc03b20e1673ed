#include "platform/base/cstring.h"

#include "platform/base/wcsrt.h"

#include <algorithm>
#include <cstdio>

int CompareIgnoringCase(std::u16string_view a, std::u16string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        int ca = WideToLower(a[i]), cb = WideToLower(b[i]);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool IsWideSpace(WCHAR ch) {
    return ch == u' ' || (ch >= 0x09 && ch <= 0x0D);
}

CString::CString(LPCWSTR text) {
    if (text) m_text = text;
}

CString::CString(LPCWSTR text, int length) {
    if (text && length > 0) m_text.assign(text, size_t(length));
}

CString::CString(WCHAR ch, int repeat) {
    if (repeat > 0) m_text.assign(size_t(repeat), ch);
}

CString CString::FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    size_t i = 0;
    auto cont = [&](size_t k) { return k < utf8.size() && (uint8_t(utf8[k]) & 0xC0) == 0x80; };
    while (i < utf8.size()) {
        uint8_t c = uint8_t(utf8[i]);
        uint32_t cp = 0xFFFD;
        size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0 && cont(i + 1)) {
            cp = ((c & 0x1Fu) << 6) | (uint8_t(utf8[i + 1]) & 0x3Fu);
            len = 2;
            if (cp < 0x80) cp = 0xFFFD;
        } else if ((c & 0xF0) == 0xE0 && cont(i + 1) && cont(i + 2)) {
            cp = ((c & 0x0Fu) << 12) | ((uint8_t(utf8[i + 1]) & 0x3Fu) << 6) |
                 (uint8_t(utf8[i + 2]) & 0x3Fu);
            len = 3;
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        } else if ((c & 0xF8) == 0xF0 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = ((c & 0x07u) << 18) | ((uint8_t(utf8[i + 1]) & 0x3Fu) << 12) |
                 ((uint8_t(utf8[i + 2]) & 0x3Fu) << 6) | (uint8_t(utf8[i + 3]) & 0x3Fu);
            len = 4;
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
        i += len;
    }
    return CString(std::move(out));
}

std::string CString::ToUtf8() const {
    std::string out;
    out.reserve(m_text.size());
    for (size_t i = 0; i < m_text.size(); ++i) {
        uint32_t cp = m_text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < m_text.size() && m_text[i + 1] >= 0xDC00 &&
            m_text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (m_text[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | (cp >> 6));
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18));
            out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

CString& CString::operator=(LPCWSTR text) {
    if (text)
        m_text = text;
    else
        m_text.clear();
    return *this;
}

CString& CString::operator=(WCHAR ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& s) {
    m_text += s.m_text;
    return *this;
}

CString& CString::operator+=(LPCWSTR text) {
    if (text) m_text += text;
    return *this;
}

CString& CString::operator+=(WCHAR ch) {
    m_text += ch;
    return *this;
}

WCHAR CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? m_text[size_t(index)] : WCHAR(0);
}

void CString::SetAt(int index, WCHAR ch) {
    if (index >= 0 && index < GetLength()) m_text[size_t(index)] = ch;
}

int CString::Compare(LPCWSTR other) const {
    return wcscmp(m_text.c_str(), other ? other : u"");
}

int CString::CompareNoCase(LPCWSTR other) const {
    return _wcsicmp(m_text.c_str(), other ? other : u"");
}

int CString::Find(WCHAR ch, int start) const {
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    size_t pos = m_text.find(ch, size_t(start));
    return pos == std::u16string::npos ? -1 : int(pos);
}

int CString::Find(LPCWSTR sub, int start) const {
    if (start < 0) start = 0;
    if (!sub || start > GetLength()) return -1;
    size_t pos = m_text.find(sub, size_t(start));
    return pos == std::u16string::npos ? -1 : int(pos);
}

int CString::ReverseFind(WCHAR ch) const {
    size_t pos = m_text.rfind(ch);
    return pos == std::u16string::npos ? -1 : int(pos);
}

int CString::FindOneOf(LPCWSTR chars) const {
    if (!chars) return -1;
    size_t pos = m_text.find_first_of(chars);
    return pos == std::u16string::npos ? -1 : int(pos);
}

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    return CString(m_text.substr(0, size_t(std::min(count, GetLength()))));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count <= 0 || first >= GetLength()) return CString();
    count = std::min(count, GetLength() - first);
    return CString(m_text.substr(size_t(first), size_t(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    count = std::min(count, GetLength());
    return CString(m_text.substr(size_t(GetLength() - count)));
}

int CString::Replace(WCHAR oldCh, WCHAR newCh) {
    int n = 0;
    for (auto& c : m_text)
        if (c == oldCh) c = newCh, ++n;
    return n;
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText) {
    if (!oldText || !*oldText) return 0;
    std::u16string_view from(oldText);
    std::u16string_view to(newText ? newText : u"");
    size_t pos = m_text.find(from);
    if (pos == std::u16string::npos) return 0;
    // One pass into a new buffer keeps long texts with many hits linear.
    std::u16string out;
    out.reserve(m_text.size());
    size_t done = 0;
    int n = 0;
    while (pos != std::u16string::npos) {
        out.append(m_text, done, pos - done);
        out.append(to);
        done = pos + from.size();
        ++n;
        pos = m_text.find(from, done);
    }
    out.append(m_text, done, std::u16string::npos);
    m_text.swap(out);
    return n;
}

int CString::Remove(WCHAR ch) {
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return int(before - m_text.size());
}

int CString::Insert(int index, WCHAR ch) {
    index = std::clamp(index, 0, GetLength());
    m_text.insert(size_t(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCWSTR text) {
    index = std::clamp(index, 0, GetLength());
    if (text) m_text.insert(size_t(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength())
        m_text.erase(size_t(index), size_t(std::min(count, GetLength() - index)));
    return GetLength();
}

void CString::TrimLeft() {
    size_t i = 0;
    while (i < m_text.size() && IsWideSpace(m_text[i]))
        ++i;
    m_text.erase(0, i);
}

void CString::TrimRight() {
    size_t n = m_text.size();
    while (n > 0 && IsWideSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
}

void CString::TrimLeft(WCHAR ch) {
    size_t i = 0;
    while (i < m_text.size() && m_text[i] == ch)
        ++i;
    m_text.erase(0, i);
}

void CString::TrimRight(WCHAR ch) {
    size_t n = m_text.size();
    while (n > 0 && m_text[n - 1] == ch)
        --n;
    m_text.resize(n);
}

void CString::MakeUpper() {
    for (auto& c : m_text)
        c = WideToUpper(c);
}

void CString::MakeLower() {
    for (auto& c : m_text)
        c = WideToLower(c);
}

LPWSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(size_t(minLength));
    return m_text.data();
}

LPWSTR CString::GetBufferSetLength(int length) {
    m_text.resize(size_t(std::max(length, 0)));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        size_t n = m_text.find(u'\0');
        if (n != std::u16string::npos) m_text.resize(n);
    } else if (size_t(newLength) <= m_text.size()) {
        m_text.resize(size_t(newLength));
    }
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, LPCWSTR b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(LPCWSTR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, WCHAR b) {
    CString r(a);
    r += b;
    return r;
}
CString operator+(WCHAR a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

namespace {

struct Field {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::u16string& out, std::u16string_view body, const Field& field, bool numeric) {
    int pad = field.width - int(body.size());
    if (pad <= 0) {
        out.append(body);
        return;
    }
    if (field.left) {
        out.append(body);
        out.append(size_t(pad), u' ');
    } else if (field.zero && numeric && field.precision < 0) {
        // Zero padding goes between the sign or prefix and the digits.
        size_t signLen = 0;
        if (!body.empty() && (body[0] == u'-' || body[0] == u'+' || body[0] == u' ')) signLen = 1;
        if (body.size() >= signLen + 2 && body[signLen] == u'0' &&
            (body[signLen + 1] == u'x' || body[signLen + 1] == u'X'))
            signLen += 2;
        out.append(body.substr(0, signLen));
        out.append(size_t(pad), u'0');
        out.append(body.substr(signLen));
    } else {
        out.append(size_t(pad), u' ');
        out.append(body);
    }
}

std::u16string Digits(unsigned long long v, unsigned base, bool upper, int precision) {
    std::u16string d;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    while (v) {
        d.insert(d.begin(), char16_t(set[v % base]));
        v /= base;
    }
    int minDigits = precision < 0 ? 1 : precision;
    if (int(d.size()) < minDigits) d.insert(0, size_t(minDigits - int(d.size())), u'0');
    return d;
}

} // namespace

void CString::FormatList(LPCWSTR format, const FormatArg* args, size_t count) {
    std::u16string out;
    size_t next = 0;
    auto take = [&]() -> const FormatArg* { return next < count ? &args[next++] : nullptr; };
    for (LPCWSTR p = format; p && *p; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == u'%') {
            out += u'%';
            continue;
        }
        Field field;
        for (;; ++p) {
            if (*p == u'-')
                field.left = true;
            else if (*p == u'+')
                field.plus = true;
            else if (*p == u' ')
                field.space = true;
            else if (*p == u'#')
                field.alt = true;
            else if (*p == u'0')
                field.zero = true;
            else
                break;
        }
        while (*p >= u'0' && *p <= u'9')
            field.width = field.width * 10 + (*p++ - u'0');
        if (*p == u'.') {
            ++p;
            field.precision = 0;
            while (*p >= u'0' && *p <= u'9')
                field.precision = field.precision * 10 + (*p++ - u'0');
        }
        while (*p == u'l' || *p == u'h' || *p == u'L' || *p == u'I' || *p == u'6' || *p == u'4')
            ++p;
        if (!*p) break;
        const FormatArg* arg = take();
        std::u16string body;
        bool numeric = true;
        auto asUnsigned = [&](unsigned long long& v) {
            if (!arg) return false;
            if (auto* s = std::get_if<long long>(arg)) return v = (unsigned long long)*s, true;
            if (auto* u = std::get_if<unsigned long long>(arg)) return v = *u, true;
            return false;
        };
        switch (*p) {
        case u'd':
        case u'i': {
            long long v = 0;
            if (arg && std::holds_alternative<long long>(*arg))
                v = std::get<long long>(*arg);
            else if (arg && std::holds_alternative<unsigned long long>(*arg))
                v = (long long)std::get<unsigned long long>(*arg);
            unsigned long long mag = v < 0 ? 0ull - (unsigned long long)v : (unsigned long long)v;
            body = Digits(mag, 10, false, field.precision);
            if (v < 0)
                body.insert(0, 1, u'-');
            else if (field.plus)
                body.insert(0, 1, u'+');
            else if (field.space)
                body.insert(0, 1, u' ');
            break;
        }
        case u'u':
        case u'x':
        case u'X':
        case u'o': {
            unsigned long long v = 0;
            asUnsigned(v);
            // A 32-bit conversion of a negative int shows its 32-bit pattern, as on the device.
            if (arg && std::holds_alternative<long long>(*arg) && std::get<long long>(*arg) < 0 &&
                std::get<long long>(*arg) >= INT32_MIN)
                v &= 0xFFFFFFFFull;
            unsigned base = *p == u'u' ? 10 : (*p == u'o' ? 8 : 16);
            body = Digits(v, base, *p == u'X', field.precision);
            if (field.alt && base == 16 && v) body.insert(0, *p == u'X' ? u"0X" : u"0x");
            break;
        }
        case u'c': {
            unsigned long long v = 0;
            if (asUnsigned(v)) body += char16_t(v);
            numeric = false;
            break;
        }
        case u's':
        case u'S': {
            numeric = false;
            if (arg && std::holds_alternative<LPCWSTR>(*arg)) {
                LPCWSTR s = std::get<LPCWSTR>(*arg);
                body = s ? s : u"(null)";
            } else if (arg && std::holds_alternative<const char*>(*arg)) {
                const char* s = std::get<const char*>(*arg);
                body = CString::FromUtf8(s ? s : "(null)").Str();
            }
            if (field.precision >= 0 && int(body.size()) > field.precision)
                body.resize(size_t(field.precision));
            break;
        }
        case u'f':
        case u'g':
        case u'e': {
            double v = 0;
            if (arg && std::holds_alternative<double>(*arg)) v = std::get<double>(*arg);
            char buf[64];
            char fmt[8] = {'%', '.', '*', char(*p), 0};
            std::snprintf(buf, sizeof buf, fmt, field.precision < 0 ? 6 : field.precision, v);
            body = CString::FromUtf8(buf).Str();
            break;
        }
        default:
            numeric = false;
            break;
        }
        Pad(out, body, field, numeric);
    }
    m_text.swap(out);
}
