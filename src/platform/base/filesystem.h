// The platform's file-system calls on the host.
//
// Paths use either separator; a backslash becomes a slash when the path reaches the host. A path
// that starts with a drive ("X:\") or a slash is absolute, every other path is relative to the
// process's current folder. Drives map to host folders (all to "/" until MapDrive says
// otherwise), so a test can give the device a drive of its own.
//
// Names ignore letter case, as on the device: a part of a path that does not exist as spelt
// is the existing name that differs from it only in case (the first in name order when several
// do; a name spelt exactly as asked always wins).
//
// Find-first/find-next delivers the entries of a folder in name order (the host's own order
// varies between file systems) and, as on the device, without "." and "..".
#pragma once

#include "platform/base/cstring.h"

#include <string>

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define INVALID_FILE_ATTRIBUTES ((DWORD)0xFFFFFFFF)

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwOID;
    WCHAR cFileName[MAX_PATH];
};
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;

struct SECURITY_ATTRIBUTES;

HANDLE FindFirstFile(LPCWSTR pattern, WIN32_FIND_DATAW* data);
BOOL FindNextFile(HANDLE find, WIN32_FIND_DATAW* data);
BOOL FindClose(HANDLE find);
DWORD GetFileAttributes(LPCWSTR path);
BOOL CreateDirectory(LPCWSTR path, SECURITY_ATTRIBUTES* security);
BOOL RemoveDirectory(LPCWSTR path);
BOOL DeleteFile(LPCWSTR path);
// Fails when the destination exists, as on the device.
BOOL MoveFile(LPCWSTR existing, LPCWSTR newName);
BOOL CopyFile(LPCWSTR existing, LPCWSTR newName, BOOL failIfExists);

// Host side of the path rules.
std::string HostPath(LPCWSTR path);
void MapDrive(WCHAR drive, const std::string& hostFolder);
void ResetDrives();
