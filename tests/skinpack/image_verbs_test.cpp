// skinpack build converts the images a definition names into the bitmap layout the library
// reads; skinpack check explains, for a package built elsewhere, why an image will not show.
#include "repository/skinrepository.h"
#include "support/archive_builder.h"
#include "support/gdi_fixture.h"
#include "support/run_tool.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>
#include <png.h>

namespace {

constexpr int kWidth = 13, kHeight = 6;

COLORREF Colour(int x, int y) {
    return RGB(x * 19, y * 40, 255 - x * 7);
}

// Palette indices of the run-length test image: runs, and a literal stretch on the left.
unsigned Index(int x, int y) {
    return x < 4 ? (x * 3 + y) % 5 : (x / 3 + y) % 5;
}
const DWORD kPalette[5] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080};

Bytes Rgba(int x, int y) {
    COLORREF c = Colour(x, y);
    return {GetRValue(c), GetGValue(c), GetBValue(c), 255};
}

Bytes PngFile() {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kHeight;
    image.format = PNG_FORMAT_RGBA;
    Bytes pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels += Rgba(x, y);
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    Bytes out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
    return out;
}

// As image editors write a 24-bit bitmap: a 124-byte header, 16 bytes of something else before
// the pixels, and the rows top row first.
Bytes EditorBitmap() {
    DWORD stride = (kWidth * 3 + 3) & ~3u, offset = 14 + 124 + 16;
    Bytes out = U16(0x4D42) + U32(offset + stride * kHeight) + U32(0) + U32(offset);
    out += U32(124) + U32(kWidth) + U32(DWORD(-kHeight)) + U16(1) + U16(24) + U32(0);
    out.resize(14 + 124, 0);
    out.resize(offset, 0xEE);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
            out += Bytes{GetBValue(Colour(x, y)), GetGValue(Colour(x, y)), GetRValue(Colour(x, y))};
        out.resize(out.size() + (stride - kWidth * 3), 0);
    }
    return out;
}

// An RLE8 bitmap: each row a literal stretch of four indices, then runs of equal ones.
Bytes RleBitmap() {
    Bytes data;
    for (int y = kHeight - 1; y >= 0; --y) {
        data +=
            Bytes{0, 4, BYTE(Index(0, y)), BYTE(Index(1, y)), BYTE(Index(2, y)), BYTE(Index(3, y))};
        for (int x = 4; x < kWidth;) {
            int run = 1;
            while (x + run < kWidth && Index(x + run, y) == Index(x, y))
                ++run;
            data += Bytes{BYTE(run), BYTE(Index(x, y))};
            x += run;
        }
        data += Bytes{0, 0};
    }
    data += Bytes{0, 1};
    DWORD offset = 14 + 40 + 5 * 4;
    Bytes out = U16(0x4D42) + U32(offset + DWORD(data.size())) + U32(0) + U32(offset);
    out += U32(40) + U32(kWidth) + U32(kHeight) + U16(1) + U16(8) + U32(BI_RLE8);
    out += U32(DWORD(data.size())) + U32(2835) + U32(2835) + U32(5) + U32(0);
    for (DWORD colour : kPalette)
        out += U32(colour);
    return out + data;
}

COLORREF PaletteColour(unsigned index) {
    DWORD c = kPalette[index];
    return RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF);
}

// Where the pixels of a loaded bitmap differ from expected(x, y); empty when none does.
std::string Mismatch(HBITMAP bitmap, COLORREF (*expected)(int, int)) {
    if (!bitmap) return "no bitmap";
    Canvas canvas(bitmap);
    if (canvas.width() != kWidth || canvas.height() != kHeight) return "wrong size";
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (canvas.At(x, y) != expected(x, y))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

class SkinpackImagesTest : public GdiTest {};

TEST_F(SkinpackImagesTest, BuildConvertsImagesAndLeavesEverythingElseAsItIs) {
    TempDir dir;
    SkinDef skin = SkinDef::Named(u"Pics");
    skin.outputPath = u"out\\pics.sdf"; // a package elsewhere reads its resources there
    skin.Section(u"main")
        .Component(u"1", u"pictures", u"image")
        .Attr(u"plain", u"file", u"plain.bmp")
        .Attr(u"editor", u"file", u"editor.bmp")
        .Attr(u"png", u"file", u"play.png")
        .Attr(u"dots", u"file", u"dots.bmp")
        .Prop(u"sound", u"file", u"click.wav");
    Bytes plain = BmpBytes(kWidth, kHeight, 24, Colour), sound = {'R', 'I', 'F', 'F', 1, 2};
    dir.WriteFile(u"skin.xml", TextDescription(skin));
    dir.MakeFolder(u"out");
    dir.WriteFile(u"out/plain.bmp", plain);
    dir.WriteFile(u"out/editor.bmp", EditorBitmap());
    dir.WriteFile(u"out/play.png", PngFile());
    dir.WriteFile(u"out/dots.bmp", RleBitmap());
    dir.WriteFile(u"out/click.wav", sound);

    ToolRun run = RunTool("skinpack", {"build", dir.HostPath() + "/skin.xml"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out,
              "converted editor.bmp: bitmap 24-bit with a 124-byte header, its pixels at offset "
              "154 and rows stored top row first -> bitmap 24-bit\n"
              "converted play.png: PNG 32-bit -> bitmap 32-bit\n"
              "converted dots.bmp: bitmap 8-bit with run-length compression (RLE8) -> bitmap "
              "8-bit\n"
              "built " +
                  dir.HostPath() + "/out/pics.sdf\n");
    EXPECT_EQ(PackageEntry(dir / u"out\\pics.sdf", u"plain.bmp"), plain);
    EXPECT_EQ(PackageEntry(dir / u"out\\pics.sdf", u"click.wav"), sound);
    EXPECT_EQ(dir.ReadFile(u"out/play.png"), PngFile()); // the author's files stay as they were
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"out", "skin.xml"})); // nothing staged here

    CSkinRepository repository;
    ASSERT_TRUE(repository.SetSkinsFolder(dir / u"out"));
    ASSERT_TRUE(repository.LoadSkin(u"pics.sdf"));
    for (const CString entry : {u"plain.bmp", u"editor.bmp", u"play.png"})
        EXPECT_EQ(Mismatch(repository.GetBitmap(u"main", entry, false), Colour), "")
            << entry.ToUtf8();
    HBITMAP dots = repository.GetBitmap(u"main", u"dots.bmp", false);
    BITMAP info{};
    ::GetObject(dots, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 8);
    EXPECT_EQ(Mismatch(dots, [](int x, int y) { return PaletteColour(Index(x, y)); }), "");
    // The palette travels as it was: five entries (colours used 5), right after the header.
    std::optional<Bytes> entry = PackageEntry(dir / u"out\\pics.sdf", u"dots.bmp");
    ASSERT_TRUE(entry && entry->size() > 74);
    EXPECT_EQ(Bytes(entry->begin() + 46, entry->begin() + 50), U32(5));
    EXPECT_EQ(Bytes(entry->begin() + 54, entry->begin() + 74),
              U32(kPalette[0]) + U32(kPalette[1]) + U32(kPalette[2]) + U32(kPalette[3]) +
                  U32(kPalette[4]));
}

// A package built elsewhere, with images the library will not show as drawn: one line each,
// saying why and what to do.
TEST(SkinpackCheckImagesTest, ExplainsWhyEachImageWillNotShow) {
    Bytes plain = BmpBytes(kWidth, kHeight, 24, Colour);
    Bytes topDown = plain;
    topDown[22] = BYTE(-kHeight); // the height's low byte; the rest of the field is 0xFF...
    topDown[23] = topDown[24] = topDown[25] = 0xFF;
    struct Row {
        const char16_t* entry;
        Bytes bytes;
        std::vector<std::string> says; // empty: no problem
    } rows[] = {
        {u"plain.bmp", plain, {}},
        {u"editor.bmp",
         EditorBitmap(),
         {"is not in the layout the library reads", "124-byte header", "pixels at offset 154",
          "rebuild the skin with `skinpack build`, which converts it"}},
        {u"play.png",
         PngFile(),
         {"PNG 32-bit image; the library reads only bitmap files", "skinpack build"}},
        {u"dots.bmp", RleBitmap(), {"run-length compression (RLE8)", "converts it"}},
        {u"flipped.bmp", topDown, {"rows stored top row first", "converts it"}},
        {u"short.bmp",
         Bytes(plain.begin(), plain.end() - 10),
         {"does not decode as a bitmap", "cut short", "save the image again"}},
        {u"photo.bmp",
         Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 0},
         {"does not decode as a bitmap: JPEG image", "save it as PNG or as a bitmap file"}},
    };
    TempDir dir;
    SkinDef skin = SkinDef::Named(u"Elsewhere");
    ComponentDef& component = skin.Section(u"main").Component(u"1", u"pictures", u"image");
    PackageEntries entries;
    for (const Row& row : rows) {
        component.Attr(row.entry, u"file", row.entry);
        entries.push_back({row.entry, row.bytes});
    }
    ASSERT_TRUE(WriteSkinPackage(dir / u"Elsewhere.skn", skin, entries));

    ToolRun run = RunTool("skinpack", {"check", dir.HostPath(), "skn", "Elsewhere.skn"});
    EXPECT_EQ(run.exitCode, 1);
    for (const Row& row : rows) {
        std::string name = "'" + CString(row.entry).ToUtf8() + "'";
        size_t at = run.out.find("entry " + name);
        ASSERT_EQ(at == std::string::npos, row.says.empty()) << name << "\n" << run.out;
        std::string line = row.says.empty() ? "" : run.out.substr(at, run.out.find('\n', at) - at);
        for (const std::string& part : row.says)
            EXPECT_NE(line.find(part), std::string::npos) << part << "\n" << line;
    }
}

} // namespace
