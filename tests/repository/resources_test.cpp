#include "platform/afx/gdiobj.h"
#include "repository/skinrepository.h"
#include "support/gdi_fixture.h"
#include "support/skin_builder.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// A 33 x 8 icon entry: the colour image on the left, the mask on the right. Only the first
// column of each is opaque (red image, black mask bits): x = 0 and x = 16 of the entry. As in
// any icon, the image is black where the mask is transparent.
std::vector<BYTE> IconEntry() {
    return BmpBytes(33, 8, 24, [](int x, int) {
        if (x < 16) return x == 0 ? kRed : kBlack;
        return x == 16 ? kBlack : kWhite;
    });
}

class RepositoryResourcesTest : public GdiTest {
protected:
    void SetUp() override {
        GdiTest::SetUp();
        SkinDef skin = SkinDef::Named(u"Res");
        skin.Section(u"Main")
            .Component(u"1", u"window", u"window")
            .Attr(u"image_filename", u"file", u"back.bmp")
            .Attr(u"icon", u"file", u"ok.bmi")
            .Attr(u"notes", u"file", u"notes.txt");
        skin.Section(u"tools")
            .Component(u"1", u"tool", u"static")
            .Attr(u"image", u"file", u"tool.BMP");
        PackageEntries files = {
            {u"back.bmp", BmpBytes(4, 2, 24, [](int x, int) { return x < 2 ? kBlue : kGreen; })},
            {u"ok.bmi", IconEntry()},
            {u"tool.BMP", BmpBytes(2, 2, 8, kRed)},
            {u"notes.txt", std::vector<BYTE>{'h', 'i'}},
            {u"broken.bmp", std::vector<BYTE>{'B', 'M', 1, 2, 3}}};
        ASSERT_TRUE(WriteSkinPackage(dir / u"Res.skn", skin, files));
        ASSERT_TRUE(repository->SetSkinsFolder(dir.Path()));
        ASSERT_TRUE(repository->LoadSkin(u"Res.skn"));
    }
    void TearDown() override {
        repository.reset(); // releases the caches before the fixture counts objects
        GdiTest::TearDown();
    }

    TempDir dir;
    std::unique_ptr<CSkinRepository> repository = std::make_unique<CSkinRepository>();
};

TEST_F(RepositoryResourcesTest, CachedBitmapsAreSharedAndUncachedOnesBelongToTheCaller) {
    HBITMAP cached = repository->GetBitmap(u"Main", u"back.bmp", true);
    ASSERT_NE(cached, nullptr);
    EXPECT_EQ(repository->GetBitmap(u"Main", u"back.bmp", true), cached);

    HBITMAP own1 = repository->GetBitmap(u"Main", u"back.bmp", false);
    HBITMAP own2 = repository->GetBitmap(u"Main", u"back.bmp", false);
    ASSERT_NE(own1, nullptr);
    EXPECT_NE(own1, own2);
    EXPECT_NE(own1, cached);
    Canvas canvas(own1); // the caller's bitmap, deleted with the canvas
    EXPECT_EQ(canvas.At(0, 0), kBlue);
    EXPECT_EQ(canvas.At(3, 1), kGreen);
    EXPECT_TRUE(DeleteObject(own2));
    // Uncached fetches leave the cache empty: the first cached fetch decodes once.
    EXPECT_TRUE(DeleteObject(repository->GetBitmap(u"tools", u"tool.BMP", false)));
    const int made = GdiGetCreatedCounts().bitmaps;
    HBITMAP tool = repository->GetBitmap(u"tools", u"tool.BMP", true);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(GdiGetCreatedCounts().bitmaps, made + 1); // extracted and decoded once
    EXPECT_EQ(repository->GetBitmap(u"tools", u"tool.BMP", true), tool);
    EXPECT_EQ(GdiGetCreatedCounts().bitmaps, made + 1);
}

TEST_F(RepositoryResourcesTest, FailuresReturnNullAndCacheNothing) {
    const GdiObjectCounts before = GdiGetObjectCounts();
    // Package lookups are exact in section and entry names, unlike component lookups.
    EXPECT_NE(repository->GetComponent(u"main", 1), nullptr);
    EXPECT_EQ(repository->GetBitmap(u"main", u"back.bmp", true), nullptr);
    EXPECT_EQ(repository->GetIcon(u"MAIN", u"ok.bmi", true), nullptr);
    CMemFile file;
    EXPECT_FALSE(repository->GetFile(u"main", u"notes.txt", file));
    EXPECT_EQ(repository->GetBitmap(u"tools", u"tool.bmp", true), nullptr);
    EXPECT_EQ(repository->GetBitmap(u"Main", u"broken.bmp", true), nullptr);
    EXPECT_EQ(repository->GetBitmap(u"", u"back.bmp", true), nullptr);
    EXPECT_EQ(repository->GetBitmap(u"Main", u"", true), nullptr);
    EXPECT_EQ(repository->GetIcon(u"Main", u"broken.bmp", true), nullptr);
    EXPECT_EQ(GdiGetObjectCounts(), before);
}

TEST_F(RepositoryResourcesTest, IconsComeFromTheHalvesOfTheEntry) {
    GdiObjectCounts expected = GdiGetObjectCounts();
    HICON icon = repository->GetIcon(u"Main", u"ok.bmi", true);
    ASSERT_NE(icon, nullptr);
    ++expected.icons; // only the icon is left: the decoded entry and both halves are gone
    EXPECT_EQ(GdiGetObjectCounts(), expected);
    // Each half is 16 columns (33 / 2), the mask starting at x = 16: only the first column is
    // opaque.
    Canvas canvas(20, 8, 32, kGreen);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon));
    EXPECT_EQ(canvas.At(0, 0), kRed);
    EXPECT_EQ(canvas.At(0, 7), kRed);
    EXPECT_EQ(canvas.Count(kRed), 8);
    EXPECT_EQ(canvas.At(1, 3), kGreen);

    EXPECT_EQ(repository->GetIcon(u"Main", u"ok.bmi", true), icon);
    HICON own = repository->GetIcon(u"Main", u"ok.bmi", false);
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, icon);
    EXPECT_TRUE(DestroyIcon(own));
}

TEST_F(RepositoryResourcesTest, FontsAreSharedByFaceHeightWeightAndItalic) {
    LOGFONTW a{};
    wcscpy(a.lfFaceName, u"Tahoma");
    a.lfHeight = -12;
    a.lfWeight = 700;
    LOGFONTW b = a;
    b.lfUnderline = 1;
    b.lfWidth = 9;
    CFont* font = repository->GetFont(&a);
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->GetSafeHandle(), nullptr);
    EXPECT_EQ(repository->GetFont(&b), font);
    for (auto change :
         {+[](LOGFONTW& f) { f.lfItalic = 1; }, +[](LOGFONTW& f) { f.lfHeight = -13; },
          +[](LOGFONTW& f) { f.lfWeight = 400; }, +[](LOGFONTW& f) { f.lfFaceName[0] = u'X'; }}) {
        LOGFONTW other = a;
        change(other);
        EXPECT_NE(repository->GetFont(&other), font);
    }
    EXPECT_EQ(repository->GetFont(nullptr), nullptr);
}

TEST_F(RepositoryResourcesTest, FilesAreExtractedRawAndUncached) {
    CMemFile file;
    ASSERT_TRUE(repository->GetFile(u"Main", u"notes.txt", file));
    EXPECT_EQ(MemBytes(file), (std::vector<BYTE>{'h', 'i'}));
    EXPECT_EQ(file.GetPosition(), 0u);
    // A section that is not loaded or a missing entry leaves the caller's file as it was.
    CMemFile kept;
    kept.Write("keep", 4);
    EXPECT_FALSE(repository->GetFile(u"absent", u"notes.txt", kept));
    EXPECT_FALSE(repository->GetFile(u"Main", u"missing", kept));
    EXPECT_EQ(MemBytes(kept), (std::vector<BYTE>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(kept.GetPosition(), 4u);
}

TEST_F(RepositoryResourcesTest, UnloadingReleasesEverythingTheCachesHeld) {
    const GdiObjectCounts before = GdiGetObjectCounts();
    ASSERT_NE(repository->GetBitmap(u"Main", u"back.bmp", true), nullptr);
    ASSERT_NE(repository->GetIcon(u"Main", u"ok.bmi", true), nullptr);
    LOGFONTW font{};
    wcscpy(font.lfFaceName, u"Tahoma");
    font.lfHeight = -10;
    ASSERT_NE(repository->GetFont(&font), nullptr);
    EXPECT_NE(GdiGetObjectCounts(), before);
    ASSERT_TRUE(repository->LoadSkin(u"Res.skn", nullptr, true, false));
    EXPECT_EQ(GdiGetObjectCounts(), before);
    // The same font asked for again is made anew, not the one released.
    ASSERT_NE(repository->GetFont(&font), nullptr);
    EXPECT_NE(GdiGetObjectCounts(), before);
}

TEST_F(RepositoryResourcesTest, PreloadFillsTheCachesWithBitmapsAndIcons) {
    ASSERT_TRUE(repository->LoadSkin(u"Res.skn", nullptr, true, true));
    const GdiObjectCounts made = GdiGetCreatedCounts();
    // back.bmp, tool.BMP (extension case ignored) and ok.bmi were loaded by LoadSkin.
    EXPECT_NE(repository->GetBitmap(u"Main", u"back.bmp", true), nullptr);
    EXPECT_NE(repository->GetBitmap(u"tools", u"tool.BMP", true), nullptr);
    EXPECT_NE(repository->GetIcon(u"Main", u"ok.bmi", true), nullptr);
    EXPECT_EQ(GdiGetCreatedCounts(), made);
}

} // namespace
