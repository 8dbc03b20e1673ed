#include "platform/base/wcsrt.h"

#include "platform/base/cstring.h"

LONG _wtol(LPCWSTR text) {
    if (!text) return 0;
    while (IsWideSpace(*text))
        ++text;
    bool negative = false;
    if (*text == u'+' || *text == u'-') negative = (*text++ == u'-');
    uint32_t value = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text)
        value = value * 10u + uint32_t(*text - u'0');
    if (negative) value = 0u - value;
    return static_cast<LONG>(value);
}

int _wtoi(LPCWSTR text) {
    return static_cast<int>(_wtol(text));
}

// One pass up to the first difference or terminator: the same order as CompareIgnoringCase
// on the two texts cut at their terminators (a terminator folds to 0, below every unit), without
// measuring them first. Attribute and type names are compared this way at every skin change.
int _wcsnicmp(LPCWSTR a, LPCWSTR b, size_t count) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    for (size_t i = 0; i < count; ++i) {
        WCHAR x = a[i], y = b[i];
        if (x != y) {
            int cx = WideToLower(x), cy = WideToLower(y);
            if (cx != cy) return cx < cy ? -1 : 1;
        }
        if (!x) return 0;
    }
    return 0;
}

int _wcsicmp(LPCWSTR a, LPCWSTR b) {
    return _wcsnicmp(a, b, SIZE_MAX);
}

int wcsncmp(LPCWSTR a, LPCWSTR b, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        if (a[i] == 0) return 0;
    }
    return 0;
}

int wcscmp(LPCWSTR a, LPCWSTR b) {
    return wcsncmp(a, b, SIZE_MAX);
}

size_t wcslen(LPCWSTR text) {
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

LPWSTR wcscpy(LPWSTR dest, LPCWSTR source) {
    LPWSTR d = dest;
    while ((*d++ = *source++) != 0) {
    }
    return dest;
}

LPWSTR wcsncpy(LPWSTR dest, LPCWSTR source, size_t count) {
    size_t i = 0;
    for (; i < count && source[i]; ++i)
        dest[i] = source[i];
    for (; i < count; ++i)
        dest[i] = 0;
    return dest;
}

LPWSTR wcscat(LPWSTR dest, LPCWSTR source) {
    wcscpy(dest + wcslen(dest), source);
    return dest;
}

LPCWSTR wcschr(LPCWSTR text, WCHAR ch) {
    for (;; ++text) {
        if (*text == ch) return text;
        if (*text == 0) return nullptr;
    }
}

LPCWSTR wcsrchr(LPCWSTR text, WCHAR ch) {
    LPCWSTR found = nullptr;
    for (;; ++text) {
        if (*text == ch) found = text;
        if (*text == 0) return found;
    }
}

LPCWSTR wcsstr(LPCWSTR text, LPCWSTR sub) {
    size_t n = wcslen(sub);
    for (; *text; ++text)
        if (wcsncmp(text, sub, n) == 0) return text;
    return n == 0 ? text : nullptr;
}
