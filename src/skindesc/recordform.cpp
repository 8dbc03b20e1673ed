// Loading the record form: keyword records after a fixed header, read until an empty string
// or the end of the file.
//
// The stream is parsed from memory: a memory file in place, any other file read once, a chunk
// at a time (never more than it holds). Keywords are compared where they lie, so only the
// strings that the records keep are allocated.
#include "platform/base/byteorder.h"
#include "platform/base/storedtext.h"
#include "skindesc/descforms.h"
#include "skindesc/descreader.h"
#include "skindesc/skindescription.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

class RecordStream {
public:
    explicit RecordStream(CFile& file) : m_file(file) {
        if (auto* memory = dynamic_cast<CMemFile*>(&file); memory && memory->GetData()) {
            m_data = memory->GetData();
            m_size = memory->GetLength();
            m_pos = std::min<size_t>(memory->GetPosition(), m_size); // a seek may pass the end
        } else {
            DWORD position = file.GetPosition(), length = file.GetLength();
            m_size = position < length ? length - position : 0;
        }
    }

    // The next string's code units as stored (up to its first zero unit, up to the end of the
    // data); false when no whole count is left. They stay valid until the next call.
    bool Next(const BYTE*& units, size_t& count) {
        if (m_pos + 4 > m_size) return false;
        DWORD n = GetLE32(Bytes(4));
        size_t available = (m_size - m_pos - 4) / 2;
        size_t take = n < available ? n : available;
        units = Bytes(4 + 2 * take) + 4;
        m_pos += 4 + 2 * take;
        count = UnitsBeforeZero(units, take);
        return true;
    }

    // Fills `out` in place: a record's strings are written straight into their fields.
    bool NextString(CString& out) {
        const BYTE* units = nullptr;
        size_t count = 0;
        bool read = Next(units, count);
        DecodeUnits(units, count, out.GetBufferSetLength(int(count)));
        return read;
    }

    // The next string where it lies; false at the end.
    bool Keyword(const BYTE*& units, size_t& count) { return Next(units, count); }

private:
    // The `count` bytes at m_pos, which the stream holds. A memory file is read where it lies;
    // any other file through a window that moves forward with the reading, a chunk at a time
    // (larger only for a longer string), so the description is never copied whole.
    const BYTE* Bytes(size_t count) {
        if (m_data) return m_data + m_pos;
        size_t windowEnd = m_windowPos + m_windowLength;
        if (m_pos + count <= windowEnd) return m_window.data() + (m_pos - m_windowPos);
        size_t kept = windowEnd - m_pos; // read but not yet used
        if (kept) std::memmove(m_window.data(), m_window.data() + (m_pos - m_windowPos), kept);
        if (m_window.size() < count) m_window.resize(std::max(count, kChunk));
        size_t wanted = std::min(m_window.size() - kept, m_size - windowEnd);
        UINT got = m_file.Read(m_window.data() + kept, UINT(wanted));
        if (got < wanted) { // the file ended early: what is missing reads as zero units
            std::fill(m_window.begin() + ptrdiff_t(kept + got),
                      m_window.begin() + ptrdiff_t(kept + wanted), BYTE(0));
            m_size = windowEnd + got;
        }
        m_windowPos = m_pos;
        m_windowLength = kept + got;
        return m_window.data();
    }

    static constexpr size_t kChunk = 64 * 1024;
    CFile& m_file;
    const BYTE* m_data = nullptr; // a memory file's own bytes
    size_t m_size = 0, m_pos = 0; // the stream's length, and where the next string starts
    std::vector<BYTE> m_window;
    size_t m_windowPos = 0, m_windowLength = 0;
};

// Whether stored units spell a keyword, ignoring letter case.
bool IsKeyword(const BYTE* units, size_t count, std::u16string_view keyword) {
    WCHAR text[16];
    if (count != keyword.size() || count > std::size(text)) return false;
    DecodeUnits(units, count, text);
    return EqualsNoCase({text, count}, keyword);
}

struct RecordReader {
    RecordStream& in;
    tagSKIN& skin;
    tagSECTION* section = nullptr;
    tagCOMPONENT* component = nullptr;

    void Section() {
        section = new tagSECTION;
        in.NextString(section->id);
        skin.sections.AddTail(section);
        // The current component stays: a record stream names no end of a component.
    }
    bool Component() {
        if (!section) return false;
        component = new tagCOMPONENT;
        in.NextString(component->id);
        in.NextString(component->name);
        in.NextString(component->type);
        section->components.AddTail(component);
        return true;
    }
    bool Attribute() {
        if (!section || !component) return false;
        auto* a = new tagATTRIBUTE;
        in.NextString(a->id);
        in.NextString(a->name);
        in.NextString(a->type);
        in.NextString(a->value);
        component->attributes.AddTail(a);
        return true;
    }
    bool Property() {
        if (!section || !component) return false;
        auto* p = new tagPROPERTY;
        in.NextString(p->id);
        in.NextString(p->type);
        in.NextString(p->value);
        component->properties.AddTail(p);
        return true;
    }

    // One record; false at the end of the description (done) or at a fault (failed).
    bool Record(bool& failed) {
        const BYTE* k = nullptr;
        size_t n = 0;
        if (!in.Keyword(k, n) || n == 0) return false;
        bool ok = false;
        if (IsKeyword(k, n, kRecordAttribute))
            ok = Attribute();
        else if (IsKeyword(k, n, kRecordComponent))
            ok = Component();
        else if (IsKeyword(k, n, kRecordProperty))
            ok = Property();
        else if (IsKeyword(k, n, kRecordSection))
            Section(), ok = true;
        failed = !ok;
        return ok;
    }
};

bool ReadHeader(RecordStream& in, CString& name, tagSKININFORMATION& info) {
    const BYTE* k = nullptr;
    size_t n = 0;
    if (!in.Keyword(k, n) || !IsKeyword(k, n, kRecordSkin)) return false;
    in.NextString(name);
    if (!in.Keyword(k, n) || !IsKeyword(k, n, kRecordInformation)) return false;
    CString* fields[] = {&info.name,   &info.version, &info.description,
                         &info.author, &info.email,   &info.webpage};
    for (CString* field : fields)
        in.NextString(*field);
    return true;
}

} // namespace

bool ReadRecordFormInformation(CFile& file, CString& name, tagSKININFORMATION& info) {
    file.Seek(2, CFile::begin);
    RecordStream in(file);
    return ReadHeader(in, name, info);
}

bool ReadRecordForm(CFile& file, tagSKIN& skin) {
    skin.outputPath.Empty();
    skin.separateFiles = false;
    ReleaseSection(skin.defaults);
    skin.defaults = nullptr;
    file.Seek(2, CFile::begin);
    RecordStream in(file);
    if (!ReadHeader(in, skin.name, skin.information)) return false;
    RecordReader reader{in, skin};
    bool failed = false;
    while (reader.Record(failed)) {
    }
    return !failed;
}
