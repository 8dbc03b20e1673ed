// Typed readers and value parsers.
#include "skindesc/skinvalues.h"

#include "desc_helpers.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

// A component's attribute list built from (id, type, value) triples.
class Attributes {
public:
    Attributes(std::initializer_list<std::array<const char16_t*, 3>> rows) {
        for (const auto& r : rows)
            m_list.AddTail(new tagATTRIBUTE{r[0], u"", r[1], r[2], u""});
    }
    ~Attributes() {
        for (void* p : m_list)
            delete static_cast<tagATTRIBUTE*>(p);
    }
    const CPtrList& List() const { return m_list; }

private:
    CPtrList m_list;
};

} // namespace

TEST(TypedValues, BoolIsTrueOnlyForTheTextTrue) {
    Attributes a({{u"on", u"bool", u"TRUE"},
                  {u"one", u"Bool", u"1"},
                  {u"yes", u"bool", u"yes"},
                  {u"num", u"numeric", u"1"}});
    struct Case {
        const char16_t* key;
        bool found, value;
    } cases[] = {{u"on", true, true},
                 {u"one", true, false},
                 {u"yes", true, false},
                 {u"num", false, false},
                 {u"missing", false, false}};
    for (const Case& c : cases) {
        bool v = !c.value;
        EXPECT_EQ(GetAttributeBool(a.List(), c.key, v), c.found) << CString(c.key).ToUtf8();
        EXPECT_EQ(v, c.value) << CString(c.key).ToUtf8();
    }
}

TEST(TypedValues, NumbersSignedAndUnsigned) {
    Attributes a({{u"neg", u"numeric", u"-1"},
                  {u"pad", u"NUMERIC", u"  +42px"},
                  {u"hex", u"numeric", u"0x1F"},
                  {u"mode", u"choice:left|right", u"2"},
                  {u"cho", u"choice", u"7"},
                  {u"chx", u"choic", u"7"},
                  {u"red", u"color", u"255,0,0"}});
    struct Case {
        const char16_t* key;
        bool dwordFound;
        DWORD dword;
        bool longFound;
        LONG number;
    } cases[] = {
        {u"neg", true, 0xFFFFFFFFu, true, -1},
        {u"pad", true, 42, true, 42},
        {u"hex", true, 0, true, 0},
        {u"mode", true, 2, false, 0},
        {u"cho", true, 7, false, 0},
        {u"chx", false, 0, false, 0},
        {u"red", true, 0x000000FFu, false, 0},
    };
    for (const Case& c : cases) {
        DWORD d = 5;
        LONG l = 5;
        EXPECT_EQ(GetAttributeDWord(a.List(), c.key, d), c.dwordFound) << CString(c.key).ToUtf8();
        EXPECT_EQ(d, c.dword) << CString(c.key).ToUtf8();
        EXPECT_EQ(GetAttributeLong(a.List(), c.key, l), c.longFound) << CString(c.key).ToUtf8();
        EXPECT_EQ(l, c.number) << CString(c.key).ToUtf8();
    }
    long host = 5;
    EXPECT_TRUE(GetAttributeLong(a.List(), u"neg", host));
    EXPECT_EQ(host, -1);
}

TEST(TypedValues, ColorPacking) {
    EXPECT_EQ(ParseColor(u"255,0,0"), 0x000000FFu);
    EXPECT_EQ(ParseColor(u"0,0,255"), 0x00FF0000u);
    EXPECT_EQ(ParseColor(u"300,0,0"), 0x0000002Cu);
    EXPECT_EQ(ParseColor(u"-1, 256, 18"), 0x001200FFu);
    EXPECT_EQ(ParseColor(u"12"), 0x000C0000u);  // blue only
    EXPECT_EQ(ParseColor(u"5,6"), 0x00050005u); // red 5, green 0, blue 5 again
    EXPECT_EQ(ParseColor(u""), 0u);
}

TEST(TypedValues, RectAndPoint) {
    RECT r = ParseRect(u"10, 20, 110, 60");
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}),
              (std::array<LONG, 4>{10, 20, 110, 60}));
    r = ParseRect(u"1,2,3");
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{1, 2, 0, 1}));
    r = ParseRect(u"-5,x,7 , 9;");
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{-5, 0, 7, 9}));
    for (auto [text, x, y] : {std::tuple{u"7", 0, 7}, {u"3,4,5", 3, 4}, {u",9", 0, 9}}) {
        POINT p = ParsePoint(text);
        EXPECT_EQ((std::array{p.x, p.y}), (std::array<LONG, 2>{x, y})) << CString(text).ToUtf8();
    }
}

TEST(TypedValues, RectAndPointReaders) {
    Attributes a({{u"position", u"rect", u"1,2,3,4"},
                  {u"origin", u"Point", u"5,6"},
                  {u"text", u"string", u"1,2,3,4"}});
    RECT r{9, 9, 9, 9};
    EXPECT_TRUE(GetAttributeRect(a.List(), u"POSITION", r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{1, 2, 3, 4}));
    EXPECT_FALSE(GetAttributeRect(a.List(), u"text", r));
    EXPECT_EQ((std::array{r.left, r.top, r.right, r.bottom}), (std::array<LONG, 4>{0, 0, 0, 0}));
    POINT p{9, 9};
    EXPECT_TRUE(GetAttributePoint(a.List(), u"origin", p));
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 6);
    EXPECT_FALSE(GetAttributePoint(a.List(), u"position", p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(TypedValues, StringOfAnyTypeAndFirstKeyWins) {
    Attributes a({{u"Key", u"rect", u"1,2,3,4"}, {u"key", u"string", u"second"}});
    CString s = u"stale";
    EXPECT_TRUE(GetAttributeString(a.List(), u"KEY", s));
    EXPECT_EQ(s, CString(u"1,2,3,4"));
    EXPECT_FALSE(GetAttributeString(a.List(), u"none", s));
    EXPECT_EQ(s, CString());
    EXPECT_EQ(FindAttribute(a.List(), u"kEy")->value, CString(u"1,2,3,4"));
    EXPECT_EQ(FindAttribute(a.List(), u"none"), nullptr);
}

TEST(TypedValues, NullEntriesAreSkipped) {
    CPtrList list;
    tagATTRIBUTE attribute{u"k", u"", u"numeric", u"3", u""};
    list.AddTail(nullptr);
    list.AddTail(&attribute);
    LONG v = 0;
    EXPECT_TRUE(GetAttributeLong(list, u"k", v));
    EXPECT_EQ(v, 3);
}
