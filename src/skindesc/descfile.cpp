// Telling the two forms apart, reading the text form, and the strings of the record form.
#include "platform/base/byteorder.h"
#include "skindesc/descreader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

WCHAR UnitAt(const BYTE* bytes, size_t index) {
    return WCHAR(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

// Appends `count` code units read from the file, stopping early at the end of the file; the
// buffer never exceeds what the file still holds.
void ReadUnits(CFile& file, DWORD count, std::u16string& out) {
    DWORD position = file.GetPosition(), length = file.GetLength();
    DWORD available = position < length ? (length - position) / 2 : 0;
    size_t wanted = std::min(count, available);
    if constexpr (std::endian::native == std::endian::little) {
        out.resize(wanted);
        UINT got = wanted ? file.Read(out.data(), UINT(wanted * 2)) : 0;
        out.resize(got / 2);
    } else {
        std::vector<BYTE> bytes(wanted * 2);
        UINT got = wanted ? file.Read(bytes.data(), UINT(bytes.size())) : 0;
        out.resize(got / 2);
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = UnitAt(bytes.data(), i);
    }
}

void WriteUnits(const WCHAR* units, size_t count, CFile& file) {
    if constexpr (std::endian::native == std::endian::little) {
        file.Write(units, UINT(count * 2));
    } else {
        std::vector<BYTE> bytes(count * 2);
        for (size_t i = 0; i < count; ++i) {
            bytes[2 * i] = BYTE(units[i]);
            bytes[2 * i + 1] = BYTE(units[i] >> 8);
        }
        file.Write(bytes.data(), UINT(bytes.size()));
    }
}

// Four units at a time: a lane of 16 zero bits ends the text.
size_t UnitsBeforeZero(const std::u16string& units) {
    size_t i = 0;
    for (; i + 4 <= units.size(); i += 4) {
        uint64_t x;
        std::memcpy(&x, units.data() + i, 8);
        if ((x - 0x0001000100010001u) & ~x & 0x8000800080008000u) break;
    }
    while (i < units.size() && units[i])
        ++i;
    return i;
}

CString UpToZero(std::u16string&& units) {
    units.resize(UnitsBeforeZero(units));
    return CString(std::move(units));
}

} // namespace

bool IsRecordForm(CFile& file) {
    file.Seek(2, CFile::begin);
    BYTE bytes[10];
    if (file.Read(bytes, sizeof bytes) != sizeof bytes) return true;
    WCHAR mark[6] = {};
    for (size_t i = 0; i < 5; ++i)
        mark[i] = UnitAt(bytes, i);
    return _wcsicmp(mark, u"<?xml") != 0;
}

std::u16string ReadTextUnits(CFile& file) {
    file.Seek(0, CFile::begin);
    std::u16string units;
    ReadUnits(file, file.GetLength() / 2, units);
    units.resize(UnitsBeforeZero(units));
    return units;
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
    out = UpToZero(std::move(text));
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
