// Skin inputs made in code: descriptions in either form, bitmaps, index headers and packages.
// A SkinDef is a plain value model of a skin. The byte writers here encode it without the
// library's own writers, so a test of the reader or the builder never checks the library
// against itself; FillSkin and DefOf convert between a SkinDef and the library's records.
#pragma once

#include "platform/base/afx.h"
#include "skindesc/skinmodel.h"
#include "support/archive_builder.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct AttributeDef {
    CString id, name, type, value, description;
    bool operator==(const AttributeDef&) const = default;
};

struct PropertyDef {
    CString id, type, value;
    bool operator==(const PropertyDef&) const = default;
};

struct ComponentDef {
    CString id, name, type;
    std::vector<AttributeDef> attributes;
    std::vector<PropertyDef> properties;

    ComponentDef& Attr(const CString& id, const CString& type, const CString& value,
                       const CString& name = CString(), const CString& description = CString());
    ComponentDef& Prop(const CString& id, const CString& type, const CString& value);
    bool operator==(const ComponentDef&) const = default;
};

struct SectionDef {
    CString id, output;
    std::vector<ComponentDef> components;

    ComponentDef& Component(const CString& id, const CString& name, const CString& type);
    bool operator==(const SectionDef&) const = default;
};

struct InformationDef {
    CString name, version, description, author, email, webpage;
    bool operator==(const InformationDef&) const = default;
};

struct SkinDef {
    CString name; // the record form's skin name; the text form takes the information's name
    InformationDef information;
    CString outputPath;
    bool separateFiles = false;
    std::optional<SectionDef> defaults;
    std::vector<SectionDef> sections;

    // A skin whose name and information name are `name`, version "1.0".
    static SkinDef Named(const CString& name);
    SectionDef& Section(const CString& id, const CString& output = CString());
    SectionDef& Defaults(); // the defaults section, made on first use
    bool operator==(const SkinDef&) const = default;
};

// --- description bytes ----------------------------------------------------------------------

// UTF-16LE bytes of text, after the byte-order mark FF FE when withMark.
std::vector<BYTE> Utf16Bytes(std::u16string_view text, bool withMark = true);
// The text form, indented like the builder's output but written independently of it; element
// order: information, output, defaults, sections.
std::u16string TextDescriptionText(const SkinDef& skin);
std::vector<BYTE> TextDescription(const SkinDef& skin);
// The record form of the skin, values as they stand (no defaults applied).
std::vector<BYTE> RecordDescription(const SkinDef& skin);
// FF FE then each string as a record-form string (32-bit count, UTF-16LE units).
std::vector<BYTE> RecordStream(const std::vector<std::u16string>& strings);

// --- index headers, bitmaps, packages --------------------------------------------------------

// A ".index" entry with the given size field and version strings (truncated to their slots).
std::vector<BYTE> IndexHeaderBytes(std::u16string_view first, std::u16string_view second,
                                   DWORD size = 48);

// A BMP file (BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, bottom-up) of 1, 4, 8, 16 (5-5-5),
// 24 or 32 bits per pixel. Palettes hold the distinct colours in order of first use (up to
// 2^bits; further colours map to entry 0).
std::vector<BYTE> BmpBytes(int width, int height, int bitsPerPixel,
                           const std::function<COLORREF(int x, int y)>& pixel);
std::vector<BYTE> BmpBytes(int width, int height, int bitsPerPixel, COLORREF colour);

using PackageEntries = std::vector<std::pair<CString, std::vector<BYTE>>>;
// Writes an archive holding the entries in order; false when the archive refuses one.
bool WritePackage(const CString& path, const PackageEntries& entries);
// A skin package as the builder lays it out: ".index" (2.0.0 / 2.0.0), ".xml" in the record
// form, then the resources.
bool WriteSkinPackage(const CString& path, const SkinDef& skin,
                      const PackageEntries& resources = {});
// The entry's bytes, or nullopt when the package or entry cannot be read.
std::optional<std::vector<BYTE>> PackageEntry(const CString& path, const CString& entry);
std::vector<CString> PackageEntryNames(const CString& path);

// --- records --------------------------------------------------------------------------------

// Fills an empty tagSKIN with new records made from the model (the skin then owns them).
void FillSkin(const SkinDef& model, tagSKIN& skin);
SkinDef DefOf(const tagSKIN& skin);

// A memory file holding a copy of bytes, positioned at its start (MemBytes reads one back).
void LoadMemFile(CMemFile& file, const std::vector<BYTE>& bytes);

// Readable output in test failures.
void PrintTo(const CString& text, std::ostream* os);
void PrintTo(const SkinDef& skin, std::ostream* os);
void PrintTo(const SectionDef& section, std::ostream* os);
void PrintTo(const ComponentDef& component, std::ostream* os);
