#include "skindesc/indexheader.h"

#include "platform/base/byteorder.h"

namespace {

constexpr UINT kFirstVersionOffset = 4, kFirstVersionBytes = 20;
constexpr UINT kSecondVersionOffset = 24, kSecondVersionBytes = 24;

void PutVersion(BYTE* slot, UINT bytes, LPCWSTR version) {
    for (UINT i = 0; version[i] && 2 * i + 1 < bytes; ++i) {
        slot[2 * i] = BYTE(version[i]);
        slot[2 * i + 1] = BYTE(version[i] >> 8);
    }
}

// The slot's text when it is terminated within the slot.
bool GetVersion(const BYTE* slot, UINT bytes, CString& version) {
    version.Empty();
    for (UINT i = 0; 2 * i + 1 < bytes; ++i) {
        WCHAR ch = WCHAR(slot[2 * i] | slot[2 * i + 1] << 8);
        if (ch == 0) return true;
        version += ch;
    }
    return false;
}

} // namespace

void WriteIndexHeader(CFile& file) {
    BYTE header[kIndexHeaderSize] = {};
    header[0] = BYTE(kIndexHeaderSize);
    PutVersion(header + kFirstVersionOffset, kFirstVersionBytes, kIndexHeaderVersion);
    PutVersion(header + kSecondVersionOffset, kSecondVersionBytes, kIndexHeaderVersion);
    file.Write(header, sizeof header);
}

bool ReadIndexHeader(CFile& file, BYTE* header) {
    file.Seek(0, CFile::begin);
    if (!header) {
        file.Seek(LONG(kIndexHeaderSize), CFile::begin);
        return true;
    }
    if (file.Read(header, kIndexHeaderSize) != kIndexHeaderSize) return false;
    DWORD size = GetLE32(header);
    CString first, second;
    if (size != kIndexHeaderSize ||
        !GetVersion(header + kFirstVersionOffset, kFirstVersionBytes, first) ||
        !GetVersion(header + kSecondVersionOffset, kSecondVersionBytes, second))
        return false;
    return _wcsicmp(first, kIndexHeaderVersion) >= 0 && _wcsicmp(second, kIndexHeaderVersion) <= 0;
}
