// Typed readers and value parsers.
#include "skindesc/skinvalues.h"

#include "desc_helpers.h"

#include <gtest/gtest.h>

#include <array>

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

TEST(TypedValues, Bool) {
    Attributes a({{u"on", u"bool", u"TRUE"},
                  {u"one", u"Bool", u"1"},
                  {u"yes", u"bool", u"yes"},
                  {u"num", u"numeric", u"1"}});
    bool v = false;
    EXPECT_TRUE(GetAttributeBool(a.List(), u"on", v));
    EXPECT_TRUE(v);
    v = true;
    EXPECT_TRUE(GetAttributeBool(a.List(), u"one", v));
    EXPECT_FALSE(v);
    v = true;
    EXPECT_TRUE(GetAttributeBool(a.List(), u"yes", v));
    EXPECT_FALSE(v);
    v = true;
    EXPECT_FALSE(GetAttributeBool(a.List(), u"num", v));
    EXPECT_FALSE(v);
    v = true;
    EXPECT_FALSE(GetAttributeBool(a.List(), u"missing", v));
    EXPECT_FALSE(v);
}

TEST(TypedValues, NumbersSignedAndUnsigned) {
    Attributes a({{u"neg", u"numeric", u"-1"},
                  {u"pad", u"NUMERIC", u"  +42px"},
                  {u"hex", u"numeric", u"0x1F"},
                  {u"mode", u"choice:left|right", u"2"},
                  {u"cho", u"choice", u"7"},
                  {u"chx", u"choic", u"7"},
                  {u"red", u"color", u"255,0,0"}});
    DWORD d = 5;
    LONG l = 5;
    EXPECT_TRUE(GetAttributeDWord(a.List(), u"neg", d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    EXPECT_TRUE(GetAttributeLong(a.List(), u"neg", l));
    EXPECT_EQ(l, -1);
    EXPECT_TRUE(GetAttributeLong(a.List(), u"pad", l));
    EXPECT_EQ(l, 42);
    EXPECT_TRUE(GetAttributeLong(a.List(), u"hex", l));
    EXPECT_EQ(l, 0);
    EXPECT_TRUE(GetAttributeDWord(a.List(), u"mode", d));
    EXPECT_EQ(d, 2u);
    l = 5;
    EXPECT_FALSE(GetAttributeLong(a.List(), u"mode", l));
    EXPECT_EQ(l, 0);
    EXPECT_TRUE(GetAttributeDWord(a.List(), u"cho", d));
    EXPECT_EQ(d, 7u);
    EXPECT_FALSE(GetAttributeDWord(a.List(), u"chx", d));
    EXPECT_EQ(d, 0u);
    EXPECT_TRUE(GetAttributeDWord(a.List(), u"red", d));
    EXPECT_EQ(d, 0x000000FFu);
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
    POINT p = ParsePoint(u"7");
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 7);
    p = ParsePoint(u"3,4,5");
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
    p = ParsePoint(u",9");
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 9);
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
