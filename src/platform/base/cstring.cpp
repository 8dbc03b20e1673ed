#include "platform/base/cstring.h"

#include "platform/base/wcsrt.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

// ---- Storage ---------------------------------------------------------------------------

void CString::SetBlock(WCHAR* units, size_t length, size_t capacity) {
    static_assert(kCapacityAt + sizeof(UINT) <= kInline * sizeof(WCHAR) && sizeof(CString) == 24);
    SetHeap(kUnitsAt, units);
    SetHeap(kLengthAt, UINT(length));
    SetHeap(kCapacityAt, UINT(capacity));
    m_units[kInline] = kHeap;
}

void CString::FreeBlock() {
    if (IsHeap()) ::operator delete(Heap<WCHAR*>(kUnitsAt));
}

void CString::SetLength(size_t length) {
    if (!IsHeap()) return SetInlineLength(int(length));
    SetHeap(kLengthAt, UINT(length));
    Heap<WCHAR*>(kUnitsAt)[length] = 0;
}

WCHAR* CString::Reserve(size_t capacity) {
    Storage now = Current();
    if (capacity <= now.capacity) return now.units;
    auto* units = static_cast<WCHAR*>(::operator new((capacity + 1) * sizeof(WCHAR)));
    std::memcpy(units, now.units, (now.length + 1) * sizeof(WCHAR));
    FreeBlock();
    SetBlock(units, now.length, capacity);
    return units;
}

// A new block of exactly the text's size; the old one goes after the copy, as the units may
// lie inside it.
void CString::AssignToNewBlock(const WCHAR* units, size_t count) {
    auto* block = static_cast<WCHAR*>(::operator new((count + 1) * sizeof(WCHAR)));
    std::memcpy(block, units, count * sizeof(WCHAR));
    block[count] = 0;
    FreeBlock();
    SetBlock(block, count, count);
}

// A growing text grows by half again, so that appending stays linear.
void CString::AppendToNewBlock(const Storage& now, const WCHAR* units, size_t count) {
    size_t length = now.length + count, capacity = std::max(length, now.capacity * 3 / 2);
    auto* block = static_cast<WCHAR*>(::operator new((capacity + 1) * sizeof(WCHAR)));
    std::memcpy(block, now.units, now.length * sizeof(WCHAR));
    std::memcpy(block + now.length, units, count * sizeof(WCHAR));
    block[length] = 0;
    FreeBlock();
    SetBlock(block, length, capacity);
}

CString::CString(const CString& other) : CString() {
    Assign(other.Data(), size_t(other.GetLength()));
}

CString::CString(CString&& other) noexcept {
    std::memcpy(m_units, other.m_units, sizeof m_units);
    other.SetInlineLength(0);
}

CString& CString::operator=(const CString& other) {
    if (this != &other) Assign(other.Data(), size_t(other.GetLength()));
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this == &other) return *this;
    FreeBlock();
    std::memcpy(m_units, other.m_units, sizeof m_units);
    other.SetInlineLength(0);
    return *this;
}

// ---- Text ------------------------------------------------------------------------------

CString::CString(LPCWSTR text) : CString() {
    if (text) Assign(text, std::char_traits<WCHAR>::length(text));
}

CString::CString(LPCWSTR text, int length) : CString() {
    if (text && length > 0) Assign(text, size_t(length));
}

CString::CString(WCHAR ch, int repeat) : CString() {
    if (repeat <= 0) return;
    WCHAR* units = Reserve(size_t(repeat));
    std::fill_n(units, repeat, ch);
    SetLength(size_t(repeat));
}

CString::CString(std::u16string_view text) : CString() {
    Assign(text.data(), text.size());
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
    std::u16string_view text = View();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
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
    Assign(text ? text : u"", text ? std::char_traits<WCHAR>::length(text) : 0);
    return *this;
}

CString& CString::operator=(WCHAR ch) {
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& s) {
    Append(s.Data(), size_t(s.GetLength()));
    return *this;
}

CString& CString::operator+=(LPCWSTR text) {
    if (text) Append(text, std::char_traits<WCHAR>::length(text));
    return *this;
}

CString& CString::operator+=(WCHAR ch) {
    Append(&ch, 1);
    return *this;
}

WCHAR CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? Data()[index] : WCHAR(0);
}

void CString::SetAt(int index, WCHAR ch) {
    if (index >= 0 && index < GetLength()) Data()[index] = ch;
}

int CString::Compare(LPCWSTR other) const {
    return wcscmp(Data(), other ? other : u"");
}

int CString::CompareNoCase(LPCWSTR other) const {
    return _wcsicmp(Data(), other ? other : u"");
}

namespace {
int Found(size_t pos) {
    return pos == std::u16string_view::npos ? -1 : int(pos);
}
} // namespace

int CString::Find(WCHAR ch, int start) const {
    if (start < 0) start = 0;
    if (start >= GetLength()) return -1;
    return Found(View().find(ch, size_t(start)));
}

int CString::Find(LPCWSTR sub, int start) const {
    if (start < 0) start = 0;
    if (!sub || start > GetLength()) return -1;
    return Found(View().find(sub, size_t(start)));
}

int CString::ReverseFind(WCHAR ch) const {
    return Found(View().rfind(ch));
}

int CString::FindOneOf(LPCWSTR chars) const {
    if (!chars) return -1;
    return Found(View().find_first_of(chars));
}

CString CString::Left(int count) const {
    if (count <= 0) return CString();
    return CString(View().substr(0, size_t(std::min(count, GetLength()))));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count <= 0 || first >= GetLength()) return CString();
    count = std::min(count, GetLength() - first);
    return CString(View().substr(size_t(first), size_t(count)));
}

CString CString::Right(int count) const {
    if (count <= 0) return CString();
    count = std::min(count, GetLength());
    return CString(View().substr(size_t(GetLength() - count)));
}

int CString::Replace(WCHAR oldCh, WCHAR newCh) {
    int n = 0;
    WCHAR* units = Data();
    for (int i = 0; i < GetLength(); ++i)
        if (units[i] == oldCh) units[i] = newCh, ++n;
    return n;
}

int CString::Replace(LPCWSTR oldText, LPCWSTR newText) {
    if (!oldText || !*oldText) return 0;
    std::u16string_view text = View(), from(oldText), to(newText ? newText : u"");
    size_t pos = text.find(from);
    if (pos == std::u16string_view::npos) return 0;
    // One pass into a new buffer keeps long texts with many hits linear.
    std::u16string out;
    out.reserve(text.size());
    size_t done = 0;
    int n = 0;
    while (pos != std::u16string_view::npos) {
        out.append(text.substr(done, pos - done));
        out.append(to);
        done = pos + from.size();
        ++n;
        pos = text.find(from, done);
    }
    out.append(text.substr(done));
    Assign(out.data(), out.size());
    return n;
}

int CString::Remove(WCHAR ch) {
    WCHAR* units = Data();
    WCHAR* end = std::remove(units, units + GetLength(), ch);
    int removed = GetLength() - int(end - units);
    SetLength(size_t(end - units));
    return removed;
}

namespace {
// The text with more inserted at index (already clamped); more may lie inside text.
std::u16string Inserted(std::u16string_view text, int index, std::u16string_view more) {
    std::u16string out(text.substr(0, size_t(index)));
    out += more;
    out += text.substr(size_t(index));
    return out;
}
} // namespace

int CString::Insert(int index, WCHAR ch) {
    std::u16string out = Inserted(View(), std::clamp(index, 0, GetLength()), {&ch, 1});
    Assign(out.data(), out.size());
    return GetLength();
}

int CString::Insert(int index, LPCWSTR text) {
    if (!text || !*text) return GetLength();
    std::u16string out = Inserted(View(), std::clamp(index, 0, GetLength()), text);
    Assign(out.data(), out.size());
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    int length = GetLength();
    if (count > 0 && index < length) {
        count = std::min(count, length - index);
        WCHAR* units = Data();
        std::memmove(units + index, units + index + count, size_t(length - index - count) * 2);
        SetLength(size_t(length - count));
    }
    return GetLength();
}

void CString::TrimLeft() {
    int i = 0;
    while (i < GetLength() && IsWideSpace(Data()[i]))
        ++i;
    Delete(0, i);
}

void CString::TrimRight() {
    int n = GetLength();
    while (n > 0 && IsWideSpace(Data()[n - 1]))
        --n;
    SetLength(size_t(n));
}

void CString::TrimLeft(WCHAR ch) {
    int i = 0;
    while (i < GetLength() && Data()[i] == ch)
        ++i;
    Delete(0, i);
}

void CString::TrimRight(WCHAR ch) {
    int n = GetLength();
    while (n > 0 && Data()[n - 1] == ch)
        --n;
    SetLength(size_t(n));
}

void CString::MakeUpper() {
    WCHAR* units = Data();
    for (int i = 0; i < GetLength(); ++i)
        units[i] = WideToUpper(units[i]);
}

void CString::MakeLower() {
    WCHAR* units = Data();
    for (int i = 0; i < GetLength(); ++i)
        units[i] = WideToLower(units[i]);
}

LPWSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) return GetBufferSetLength(minLength);
    return Data();
}

LPWSTR CString::GetBufferSetLength(int length) {
    size_t n = size_t(std::max(length, 0)), had = size_t(GetLength());
    WCHAR* units = Reserve(n);
    if (n > had) std::fill(units + had, units + n, WCHAR(0));
    SetLength(n);
    return units;
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        SetLength(std::char_traits<WCHAR>::length(Data()));
    else if (newLength <= GetLength())
        SetLength(size_t(newLength));
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
    Assign(out.data(), out.size());
}
