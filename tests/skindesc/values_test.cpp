// Typed readers and value parsers.
#include "skindesc/skinvalues.h"

#include "desc_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

// A component's attribute list built from (id, type, value) triples; a null id adds a null entry.
class Attributes {
public:
    Attributes(std::initializer_list<std::array<const char16_t*, 3>> rows) {
        for (const auto& r : rows)
            m_list.AddTail(r[0] ? new tagATTRIBUTE{r[0], u"", r[1], r[2], u""} : nullptr);
    }
    ~Attributes() {
        for (void* p : m_list)
            delete static_cast<tagATTRIBUTE*>(p);
    }
    const CPtrList& List() const { return m_list; }

private:
    CPtrList m_list;
};

std::array<LONG, 4> Sides(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

TEST(TypedValues, BoolAndNumbers) {
    Attributes a({{nullptr, nullptr, nullptr}, // null entries are skipped
                  {u"on", u"bool", u"TRUE"},
                  {u"one", u"Bool", u"1"},
                  {u"num", u"numeric", u"1"},
                  {u"neg", u"numeric", u"-1"},
                  {u"pad", u"NUMERIC", u"  +42px"},
                  {u"hex", u"numeric", u"0x1F"},
                  {u"mode", u"choice:left|right", u"2"},
                  {u"cho", u"choice", u"7"},
                  {u"chx", u"choic", u"7"},
                  {u"red", u"color", u"255,0,0"}});
    struct Case {
        const char16_t* key;
        bool boolFound, boolValue;
        bool dwordFound;
        DWORD dword;
        bool longFound;
        LONG number;
    } cases[] = {
        {u"on", true, true, false, 0, false, 0},
        {u"one", true, false, false, 0, false, 0},
        {u"num", false, false, true, 1, true, 1},
        {u"missing", false, false, false, 0, false, 0},
        {u"neg", false, false, true, 0xFFFFFFFFu, true, -1},
        {u"pad", false, false, true, 42, true, 42},
        {u"hex", false, false, true, 0, true, 0},
        {u"mode", false, false, true, 2, false, 0},
        {u"cho", false, false, true, 7, false, 0},
        {u"chx", false, false, false, 0, false, 0},
        {u"red", false, false, true, 0x000000FFu, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.key).ToUtf8());
        bool b = !c.boolValue;
        DWORD d = 5;
        LONG l = 5;
        EXPECT_EQ(GetAttributeBool(a.List(), c.key, b), c.boolFound);
        EXPECT_EQ(b, c.boolValue);
        EXPECT_EQ(GetAttributeDWord(a.List(), c.key, d), c.dwordFound);
        EXPECT_EQ(d, c.dword);
        EXPECT_EQ(GetAttributeLong(a.List(), c.key, l), c.longFound);
        EXPECT_EQ(l, c.number);
    }
    long host = 5;
    EXPECT_TRUE(GetAttributeLong(a.List(), u"neg", host));
    EXPECT_EQ(host, -1);
}

TEST(TypedValues, ParsedColorsRectsAndPoints) {
    for (auto [text, color] : {std::tuple{u"255,0,0", 0x000000FFu},
                               {u"300,0,0", 0x0000002Cu},
                               {u"-1, 256, 18", 0x001200FFu},
                               {u"12", 0x000C0000u},  // blue only
                               {u"5,6", 0x00050005u}, // red 5, green 0, blue 5 again
                               {u"", 0u}})
        EXPECT_EQ(ParseColor(text), color) << CString(text).ToUtf8();
    EXPECT_EQ(Sides(ParseRect(u"10, 20, 110, 60")), (std::array<LONG, 4>{10, 20, 110, 60}));
    EXPECT_EQ(Sides(ParseRect(u"1,2,3")), (std::array<LONG, 4>{1, 2, 0, 1}));
    EXPECT_EQ(Sides(ParseRect(u"-5,x,7 , 9;")), (std::array<LONG, 4>{-5, 0, 7, 9}));
    for (auto [text, x, y] : {std::tuple{u"7", 0, 7}, {u"3,4,5", 3, 4}, {u",9", 0, 9}}) {
        POINT p = ParsePoint(text);
        EXPECT_EQ((std::array{p.x, p.y}), (std::array<LONG, 2>{x, y})) << CString(text).ToUtf8();
    }
}

// Guards the one-pass reading of plain values: random texts of numbers, signs, separators and
// stray units give what the rule of searched separators and _wtol gives.
TEST(TypedValues, ParsedFieldsFollowTheSeparatorRule) {
    auto byRule = [](const CString& v, int count) {
        std::array<LONG, 4> f{};
        for (int k = 0, start = 0, comma = -1; k < count; ++k) {
            int end = k + 1 < count ? (comma = v.Find(u',', comma + 1)) : v.GetLength();
            f[size_t(k)] = end - start > 0 ? _wtol(v.GetString() + start) : 0;
            start = comma + 1;
        }
        return f;
    };
    unsigned seed = 12345;
    for (int n = 0; n < 3000; ++n) {
        CString v;
        for (int len = int((seed = seed * 1103515245u + 12345u) >> 28); len > 0; --len)
            v += u"0123456789,,,-+ x"[((seed = seed * 1103515245u + 12345u) >> 16) % 17];
        RECT r = ParseRect(v);
        POINT p = ParsePoint(v);
        std::array<LONG, 4> rect = byRule(v, 4), point = byRule(v, 2), colour = byRule(v, 3);
        EXPECT_EQ(Sides(r), rect) << v.ToUtf8();
        EXPECT_EQ((std::array<LONG, 4>{p.x, p.y, 0, 0}), point) << v.ToUtf8();
        EXPECT_EQ(ParseColor(v), RGB(colour[0], colour[1], colour[2])) << v.ToUtf8();
    }
}

TEST(TypedValues, RectPointAndStringReaders) {
    Attributes a({{u"position", u"rect", u"1,2,3,4"},
                  {u"origin", u"Point", u"5,6"},
                  {u"text", u"string", u"1,2,3,4"},
                  {u"Key", u"rect", u"1,2,3,4"},
                  {u"key", u"string", u"second"}});
    RECT r{9, 9, 9, 9};
    EXPECT_TRUE(GetAttributeRect(a.List(), u"POSITION", r));
    EXPECT_EQ(Sides(r), (std::array<LONG, 4>{1, 2, 3, 4}));
    EXPECT_FALSE(GetAttributeRect(a.List(), u"text", r));
    EXPECT_EQ(Sides(r), (std::array<LONG, 4>{0, 0, 0, 0}));
    POINT p{9, 9};
    EXPECT_TRUE(GetAttributePoint(a.List(), u"origin", p));
    EXPECT_EQ((std::array{p.x, p.y}), (std::array<LONG, 2>{5, 6}));
    EXPECT_FALSE(GetAttributePoint(a.List(), u"position", p));
    EXPECT_EQ((std::array{p.x, p.y}), (std::array<LONG, 2>{0, 0}));
    // Strings read any type; the first key in any letter case wins.
    CString s = u"stale";
    EXPECT_TRUE(GetAttributeString(a.List(), u"KEY", s));
    EXPECT_EQ(s, CString(u"1,2,3,4"));
    EXPECT_FALSE(GetAttributeString(a.List(), u"none", s));
    EXPECT_EQ(s, CString());
    EXPECT_EQ(FindAttribute(a.List(), u"kEy")->value, CString(u"1,2,3,4"));
    EXPECT_EQ(FindAttribute(a.List(), u"none"), nullptr);
}

// The index a control reads through finds what the walk of the list finds: the first of equal
// names in any letter case, names cut at a zero unit, nothing for an absent name, and a list too
// long for it still answers.
TEST(TypedValues, IndexFindsWhatTheListWalkFinds) {
    Attributes a({{nullptr, nullptr, nullptr},
                  {u"Font_Size", u"numeric", u"11"},
                  {u"font_size", u"numeric", u"12"},
                  {u"font_name", u"string", u"Sans"},
                  {u"", u"string", u"empty"},
                  {u"visible", u"bool", u"true"},
                  {u"\u00C9t\u00E9", u"string", u"accent"}});
    auto* cut = new tagATTRIBUTE{CString(u"cut\0tail", 8), u"", u"string", u"cut", u""};
    const_cast<CPtrList&>(a.List()).AddTail(cut);
    const char16_t* probes[] = {u"font_size", u"FONT_SIZE",     u"font_name", u"",
                                u"VISIBLE",   u"\u00E9T\u00C9", u"cut",       u"cut\u0001",
                                u"missing",   u"font_siz"};
    CAttributeIndex index(a.List());
    for (const char16_t* key : probes)
        EXPECT_EQ(index.Find(CAttributeKey(key)), FindAttribute(a.List(), key)) << CString(key).ToUtf8();
    LONG size = 0;
    bool visible = false;
    EXPECT_TRUE(GetAttributeLong(index, u"FONT_size", size));
    EXPECT_EQ(size, 11);
    EXPECT_TRUE(GetAttributeBool(index, u"visible", visible));
    EXPECT_TRUE(visible);

    Attributes many({});
    for (int i = 0; i < 40; ++i) {
        CString id;
        id.Format(u"key%d", i % 30); // ten names twice
        const_cast<CPtrList&>(many.List()).AddTail(new tagATTRIBUTE{id, u"", u"numeric", id, u""});
    }
    CAttributeIndex walked(many.List());
    for (const char16_t* key : {u"key0", u"KEY29", u"key30"})
        EXPECT_EQ(walked.Find(CAttributeKey(key)), FindAttribute(many.List(), key));
}
