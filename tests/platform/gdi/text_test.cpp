// Fonts, text metrics and drawn text, judged by the pixels of the text colour.
#include "support/gdi_fixture.h"

namespace {

const COLORREF kInk = RGB(200, 0, 0);
const COLORREF kPaper = RGB(255, 255, 255);

class TextTest : public GdiTest {
protected:
    void SetUp() override {
        GdiTest::SetUp();
        canvas = std::make_unique<Canvas>(160, 80, 32, kPaper);
        SetTextColor(canvas->dc(), kInk);
        SetBkMode(canvas->dc(), TRANSPARENT);
        font = MakeFont(-14);
        previous = SelectObject(canvas->dc(), font);
    }
    void TearDown() override {
        SelectObject(canvas->dc(), previous);
        DeleteObject(font);
        canvas.reset();
        GdiTest::TearDown();
    }

    static HFONT MakeFont(LONG height, LONG weight = FW_NORMAL,
                          const char16_t* face = u"DejaVu Sans", BYTE italic = 0) {
        LOGFONTW lf{};
        lf.lfHeight = height;
        lf.lfWeight = weight;
        lf.lfItalic = italic;
        for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
            lf.lfFaceName[i] = face[i];
        return CreateFontIndirect(&lf);
    }

    RECT Ink() const { return canvas->Bounds(kInk); }
    // Draws on a blank canvas and returns the box of the drawn text.
    RECT InkOf(const char16_t* text, RECT r, UINT format) {
        canvas->Fill(kPaper);
        DrawText(canvas->dc(), text, -1, &r, format);
        return Ink();
    }
    int Draw(const char16_t* text, RECT r, UINT format) {
        return DrawText(canvas->dc(), text, -1, &r, format);
    }
    SIZE Extent(const char16_t* text) {
        SIZE size{};
        GetTextExtentPoint32(canvas->dc(), text, int(std::char_traits<char16_t>::length(text)),
                             &size);
        return size;
    }
    TEXTMETRICW Metrics() const {
        TEXTMETRICW tm{};
        GetTextMetrics(canvas->dc(), &tm);
        return tm;
    }

    std::unique_ptr<Canvas> canvas;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;
};

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

TEST_F(TextTest, TextIsDrawnInTheTextColourInsideItsRectangleUnlessNoClip) {
    RECT r{10, 10, 110, 40};
    Draw(u"Skin kit", r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    ASSERT_GT(canvas->Count(kInk), 20);
    EXPECT_TRUE(Inside(Ink(), r)) << Describe(Ink());
    // Without anti-aliasing every pixel is either the text colour or untouched.
    for (COLORREF c : canvas->Pixels())
        ASSERT_TRUE(c == kInk || c == kPaper);
    RECT small{20, 20, 30, 26};
    EXPECT_TRUE(Inside(InkOf(u"Wide text here", small, DT_SINGLELINE), small));
    EXPECT_GT(canvas->Count(kInk), 0);
    EXPECT_GT(InkOf(u"Wide text here", small, DT_SINGLELINE | DT_NOCLIP).right, 60);
}

TEST_F(TextTest, AlignmentFlagsMoveTheText) {
    RECT r{10, 10, 150, 70};
    RECT left = InkOf(u"Go", r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    RECT centre = InkOf(u"Go", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RECT right = InkOf(u"Go", r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    SIZE extent = Extent(u"Go");
    EXPECT_LE(left.left - r.left, 3);
    EXPECT_EQ(right.left - left.left, (r.right - r.left) - extent.cx);
    EXPECT_EQ(centre.left - left.left, ((r.right - r.left) - extent.cx) / 2);
    EXPECT_EQ(right.top - left.top, (r.bottom - r.top) - extent.cy);
    EXPECT_EQ(centre.top - left.top, ((r.bottom - r.top) - extent.cy) / 2);
    // Vertical centring applies to single lines only.
    EXPECT_EQ(InkOf(u"Go", r, DT_VCENTER).top, left.top);
}

// Word breaks wrap at the rectangle; measuring draws nothing and gives whole lines; one line
// measures as its extent, and line breaks add lines unless single-line.
TEST_F(TextTest, WordBreaksLineBreaksAndMeasuring) {
    RECT r{0, 0, 60, 80}, measured = r, wide{0, 0, 160, 80}, one{5, 5, 10, 10}, lines{0, 0, 100, 0};
    const char16_t* text = u"one two three four";
    int height = DrawText(canvas->dc(), text, -1, &measured, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(canvas->Count(kInk), 0);
    int lineHeight = Metrics().tmHeight;
    EXPECT_EQ(height % lineHeight, 0);
    EXPECT_GE(height, 2 * lineHeight);
    EXPECT_EQ(measured.bottom, height);
    EXPECT_LE(measured.right, 60);
    EXPECT_EQ(Draw(text, r, DT_WORDBREAK), height);
    EXPECT_LE(Ink().right, 60);
    EXPECT_EQ(Draw(text, wide, 0), lineHeight);
    SIZE extent = Extent(u"Measure");
    DrawText(canvas->dc(), u"Measure", -1, &one, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_RECT(one, 5, 5, 5 + extent.cx, 5 + extent.cy);
    EXPECT_EQ(DrawText(canvas->dc(), u"a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * extent.cy);
    EXPECT_EQ(DrawText(canvas->dc(), u"a\r\nb\nc", -1, &lines, DT_CALCRECT | DT_SINGLELINE),
              extent.cy);
}

TEST_F(TextTest, PrefixUnderlinesTheMarkedCharacterUnlessNoPrefix) {
    RECT r{0, 0, 160, 40};
    TEXTMETRICW tm = Metrics();
    RECT withPrefix = InkOf(u"&File", r, DT_SINGLELINE);
    int underlineRow = -1;
    for (int y = tm.tmAscent; y < tm.tmHeight; ++y) {
        int run = 0;
        for (int x = 0; x < 20; ++x)
            run += canvas->At(x, y) == kInk;
        if (run >= 5) underlineRow = y;
    }
    EXPECT_GE(underlineRow, tm.tmAscent) << "a line under the F";
    int plain = Extent(u"File").cx;
    EXPECT_LE(withPrefix.right, plain + 1);
    EXPECT_GT(InkOf(u"&File", r, DT_SINGLELINE | DT_NOPREFIX).right, plain + 1);
    EXPECT_EQ(Describe(InkOf(u"A&&B", r, DT_SINGLELINE)),
              Describe(InkOf(u"A&B", r, DT_SINGLELINE | DT_NOPREFIX)))
        << "&& shows one ampersand";
}

// Opaque text fills its cell with the background colour; ExtTextOut's opaque rectangle clips;
// the alignment moves the reference point; explicit advances space the characters.
TEST_F(TextTest, OpaqueCellsExtTextOutAndAlignment) {
    SetBkMode(canvas->dc(), OPAQUE);
    SetBkColor(canvas->dc(), RGB(0, 0, 255));
    TextOut(canvas->dc(), 10, 10, u"Hi", 2);
    SIZE extent = Extent(u"Hi");
    EXPECT_EQ(canvas->Count(RGB(0, 0, 255)) + canvas->Count(kInk), extent.cx * extent.cy);
    EXPECT_TRUE(Inside(canvas->Bounds(RGB(0, 0, 255)), {10, 10, 10 + extent.cx, 10 + extent.cy}));
    canvas->Fill(kPaper);
    SetBkMode(canvas->dc(), TRANSPARENT);
    RECT box{20, 20, 40, 30};
    SetBkColor(canvas->dc(), RGB(0, 255, 0));
    ExtTextOut(canvas->dc(), 20, 20, ETO_OPAQUE | ETO_CLIPPED, &box, u"Wwwwww", 6, nullptr);
    EXPECT_RECT(canvas->Bounds(RGB(0, 255, 0)), 20, 20, 40, 30);
    EXPECT_TRUE(Inside(Ink(), box));
    canvas->Fill(kPaper);
    SetTextAlign(canvas->dc(), TA_RIGHT | TA_BOTTOM);
    TextOut(canvas->dc(), 100, 50, u"End", 3);
    EXPECT_TRUE(Inside(Ink(), {60, 20, 100, 50}));
    EXPECT_GT(Ink().right, 95);
    canvas->Fill(kPaper);
    SetTextAlign(canvas->dc(), TA_LEFT | TA_TOP);
    const INT dx[] = {30, 30};
    ExtTextOut(canvas->dc(), 0, 0, 0, nullptr, u"II", 2, dx);
    EXPECT_GE(Ink().right - Ink().left, 30);
}

// Positive heights are cell heights, negative ones character heights; extents split at the
// maximum; weight, italic, unknown faces (the default face) and anti-aliasing.
TEST_F(TextTest, HeightsExtentsAndFaces) {
    SIZE normal = Extent(u"Weight");
    int fit = 0, partial[4] = {};
    SIZE size;
    ASSERT_TRUE(GetTextExtentExPoint(canvas->dc(), u"abcd", 4, 0, &fit, partial, &size));
    EXPECT_EQ(fit, 0);
    EXPECT_EQ(partial[3], size.cx);
    GetTextExtentExPoint(canvas->dc(), u"abcd", 4, partial[1], &fit, nullptr, &size);
    EXPECT_EQ(fit, 2);
    EXPECT_FALSE(GetTextExtentPoint32(canvas->dc(), u"abcd", -1, &size));
    {
        Selected cell(canvas->dc(), MakeFont(20));
        EXPECT_EQ(Metrics().tmHeight, 20);
        EXPECT_EQ(Metrics().tmAscent + Metrics().tmDescent, 20);
    }
    {
        Selected character(canvas->dc(), MakeFont(-20));
        EXPECT_EQ(Metrics().tmHeight - Metrics().tmInternalLeading, 20);
        EXPECT_EQ(Extent(u"x").cy, Metrics().tmHeight);
    }
    {
        Selected heavy(canvas->dc(), MakeFont(-14, FW_BOLD));
        EXPECT_GT(Extent(u"Weight").cx, normal.cx);
        EXPECT_EQ(Metrics().tmWeight, FW_BOLD);
    }
    {
        Selected unknown(canvas->dc(), MakeFont(-14, FW_NORMAL, u"No Such Face 123"));
        WCHAR face[LF_FACESIZE] = {};
        GetTextFace(canvas->dc(), LF_FACESIZE, face);
        EXPECT_EQ(CString(face), CString(u"DejaVu Sans"));
    }
    {
        Selected slanted(canvas->dc(), MakeFont(-14, FW_NORMAL, u"DejaVu Sans", 1));
        EXPECT_EQ(Metrics().tmItalic, 1);
    }
    LOGFONTW lf{};
    lf.lfHeight = -20;
    lf.lfQuality = ANTIALIASED_QUALITY;
    Selected smooth(canvas->dc(), CreateFontIndirect(&lf));
    Draw(u"Os", RECT{0, 0, 100, 40}, DT_SINGLELINE);
    int between = 0;
    for (COLORREF c : canvas->Pixels())
        between += c != kInk && c != kPaper;
    EXPECT_GT(between, 0);
}
