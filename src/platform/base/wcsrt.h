// The run-time library's wide-string functions, for the platform's 16-bit WCHAR.
#pragma once

#include "platform/base/wintypes.h"

// Decimal conversion: leading white space, an optional sign, then digits up to the first other
// character; 0 without digits. The value wraps modulo 2^32 like the device's 32-bit arithmetic,
// so "4294967295" and "-1" give the same bits.
LONG _wtol(LPCWSTR text);
int _wtoi(LPCWSTR text);
// Compares after folding letters to lower case; the sign orders the strings.
int _wcsicmp(LPCWSTR a, LPCWSTR b);
int _wcsnicmp(LPCWSTR a, LPCWSTR b, size_t count);
int wcscmp(LPCWSTR a, LPCWSTR b);
int wcsncmp(LPCWSTR a, LPCWSTR b, size_t count);
size_t wcslen(LPCWSTR text);
LPWSTR wcscpy(LPWSTR dest, LPCWSTR source);
LPWSTR wcsncpy(LPWSTR dest, LPCWSTR source, size_t count);
LPWSTR wcscat(LPWSTR dest, LPCWSTR source);
LPCWSTR wcschr(LPCWSTR text, WCHAR ch);
LPCWSTR wcsrchr(LPCWSTR text, WCHAR ch);
LPCWSTR wcsstr(LPCWSTR text, LPCWSTR sub);
