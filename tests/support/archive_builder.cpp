#include "support/archive_builder.h"

#include "support/skin_builder.h"

#include <zlib.h>

#include <random>
#include <string>

Bytes U16(UINT value) {
    return {BYTE(value), BYTE(value >> 8)};
}

Bytes U32(DWORD value) {
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

Bytes Utf16z(const CString& text) {
    return Utf16Bytes(text.View(), false) + U16(0);
}

Bytes& operator+=(Bytes& a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes operator+(Bytes a, const Bytes& b) {
    return a += b;
}

Bytes Deflate(const Bytes& plain) {
    uLongf size = compressBound(uLong(plain.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, plain.data(), uLong(plain.size()), 9);
    packed.resize(size);
    return packed;
}

Bytes Chunk(const Bytes& packed) {
    return U16(UINT(packed.size())) + packed;
}

Bytes EncodeEntry(const Bytes& data, size_t pieceSize) {
    Bytes out = U32(DWORD(data.size()));
    for (size_t at = 0; at < data.size(); at += pieceSize) {
        size_t n = std::min(pieceSize, data.size() - at);
        out += Chunk(Deflate(Bytes(data.begin() + long(at), data.begin() + long(at + n))));
    }
    return out;
}

Bytes IndexContent(const std::vector<std::pair<CString, DWORD>>& records) {
    Bytes out = U32(DWORD(records.size()));
    for (const auto& [name, offset] : records) {
        Bytes text = Utf16z(name);
        out += U32(DWORD(text.size())) + text + U32(offset);
    }
    return out;
}

ArchiveBuilder::ArchiveBuilder(const CString& version) {
    m_bytes = Utf16z(version);
    m_bytes.resize(16, 0);
}

ArchiveBuilder::ArchiveBuilder(const Bytes& header) : m_bytes(header) {}

DWORD ArchiveBuilder::AddEntry(const CString& name, const Bytes& data) {
    DWORD offset = AddRaw(EncodeEntry(data));
    AddRecord(name, offset);
    return offset;
}

DWORD ArchiveBuilder::AddRaw(const Bytes& bytes) {
    DWORD offset = DWORD(m_bytes.size());
    m_bytes += bytes;
    return offset;
}

void ArchiveBuilder::AddRecord(const CString& name, DWORD offset) {
    m_records.emplace_back(name, offset);
}

Bytes ArchiveBuilder::Finish() const {
    return FinishWithIndex(IndexContent(m_records));
}

Bytes ArchiveBuilder::FinishWith(const Bytes& indexEntry, DWORD trailer) const {
    return m_bytes + indexEntry + U32(trailer);
}

Bytes ArchiveBuilder::FinishWithIndex(const Bytes& indexContent) const {
    return FinishWith(EncodeEntry(indexContent), DWORD(m_bytes.size()));
}

Bytes MixedData(size_t size, uint32_t seed) {
    static const char* const kWords[] = {
        "<component",     "id=",       "\"button\"", "position", "=",  "\"10,20,64,24\"",
        "image_filename", "font_size", "visible",    "true",     "/>", "section",
        "color",          "0x00FF00"};
    std::mt19937 random(seed);
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        if (random() % 2) {
            // A bitmap row: a gradient with runs and a little noise.
            BYTE base = BYTE(random());
            for (int x = 0; x < 240 * 3; ++x)
                out.push_back(BYTE(base + x / 24 + (random() % 16 == 0 ? random() % 4 : 0)));
        } else {
            std::string line;
            for (int w = 0; w < 12; ++w)
                line += std::string(kWords[random() % 14]) + " ";
            out.insert(out.end(), line.begin(), line.end());
            out.push_back('\n');
        }
    }
    out.resize(size);
    return out;
}

Bytes NoiseData(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes out(size);
    for (BYTE& b : out)
        b = BYTE(random());
    return out;
}

Bytes MemBytes(const CMemFile& file) {
    const BYTE* data = file.GetData();
    return data ? Bytes(data, data + file.GetLength()) : Bytes();
}
