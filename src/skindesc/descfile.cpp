// Telling the two forms apart, reading the text form, and the strings of the record form.
#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"
#include "skindesc/descreader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace {

// Appends `count` code units read from the file, stopping early at the end of the file; the
// buffer never exceeds what the file still holds.
void ReadUnits(CFile& file, DWORD count, std::u16string& out) {
    DWORD position = file.GetPosition(), length = file.GetLength();
    DWORD available = position < length ? (length - position) / 2 : 0;
    out.resize(std::min(count, available));
    auto* bytes = reinterpret_cast<BYTE*>(out.data());
    UINT got = out.empty() ? 0 : file.Read(bytes, UINT(out.size() * 2));
    out.resize(got / 2);
    DecodeUnits(bytes, out.size(), out.data()); // in place
}

void WriteUnits(const WCHAR* units, size_t count, CFile& file) {
    std::vector<BYTE> bytes(count * 2);
    EncodeUnits(units, count, bytes.data());
    file.Write(bytes.data(), UINT(bytes.size()));
}

void CutAtZero(std::u16string& units) {
    units.resize(UnitsBeforeZero(reinterpret_cast<const BYTE*>(units.data()), units.size()));
}

} // namespace

bool IsRecordForm(CFile& file) {
    file.Seek(2, CFile::begin);
    BYTE bytes[10];
    if (file.Read(bytes, sizeof bytes) != sizeof bytes) return true;
    return _wcsicmp(StoredText(bytes, 5), u"<?xml") != 0;
}

std::u16string ReadTextUnits(CFile& file) {
    file.Seek(0, CFile::begin);
    std::u16string units;
    ReadUnits(file, file.GetLength() / 2, units);
    CutAtZero(units);
    return units;
}

std::u16string_view ViewTextUnits(CFile& file, std::u16string& storage) {
    auto* memory = dynamic_cast<CMemFile*>(&file);
    const BYTE* bytes = memory ? memory->GetData() : nullptr;
    // The stored units are little-endian: on such a host, aligned, they read as they lie.
    if constexpr (std::endian::native == std::endian::little) {
        if (bytes && reinterpret_cast<uintptr_t>(bytes) % alignof(WCHAR) == 0) {
            size_t units = memory->GetLength() / 2;
            return {reinterpret_cast<const WCHAR*>(bytes), UnitsBeforeZero(bytes, units)};
        }
    }
    storage = ReadTextUnits(file);
    return storage;
}

void ReadText(CFile& file, CString& text) {
    text = CString(ReadTextUnits(file));
}

bool ReadRecordString(CFile& file, CString& out) {
    out.Empty();
    BYTE count[4];
    if (file.Read(count, sizeof count) != sizeof count) return false;
    DWORD units = GetLE32(count);
    std::u16string text;
    ReadUnits(file, units, text);
    CutAtZero(text);
    out = CString(std::move(text));
    return true;
}

void WriteText(const CString& s, CFile& file) {
    WriteUnits(s.GetString(), size_t(s.GetLength()), file);
}

void WriteRecordString(const CString& s, CFile& file) {
    DWORD n = DWORD(s.GetLength());
    BYTE count[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
    file.Write(count, sizeof count);
    WriteText(s, file);
}
