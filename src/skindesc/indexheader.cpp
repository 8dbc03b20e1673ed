#include "skindesc/indexheader.h"

#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"

#include <algorithm>

namespace {

constexpr UINT kFirstVersionOffset = 4, kFirstVersionBytes = 20;
constexpr UINT kSecondVersionOffset = 24, kSecondVersionBytes = 24;

void PutVersion(BYTE* slot, UINT bytes, LPCWSTR version) {
    EncodeUnits(version, std::min<size_t>(wcslen(version), bytes / 2), slot);
}

// The slot's text when it is terminated within the slot.
bool GetVersion(const BYTE* slot, UINT bytes, CString& version) {
    ReadStoredText(slot, bytes / 2, version);
    return version.GetLength() < int(bytes / 2);
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
