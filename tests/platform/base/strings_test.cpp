#include "platform/base/afx.h"

#include <gtest/gtest.h>

namespace {

// Out-of-range arguments clamp as the framework clamps them; searches report -1 when absent.
TEST(CStringTest, SubstringsSearchesAndEditsClampTheirArguments) {
    CString s(u"skinkit"), path(u"a\\b\\c.sdf");
    const std::pair<CString, const char16_t*> parts[] = {
        {s.Left(4), u"skin"},   {s.Left(-3), u""},  {s.Left(99), u"skinkit"},
        {s.Mid(4, 2), u"ki"},   {s.Mid(7), u""},    {s.Mid(2, -1), u""},
        {s.Mid(-2, 3), u"ski"}, {s.Right(-1), u""}, {s.Right(50), s}};
    for (const auto& [got, expected] : parts)
        EXPECT_EQ(got, CString(expected));
    EXPECT_EQ(
        (std::vector<int>{path.Find(u'\\', 2), path.Find(u'a', 100), path.Find(u"sdf", 7),
                          path.ReverseFind(u'\\'), path.ReverseFind(u'#'), path.FindOneOf(u".c")}),
        (std::vector<int>{3, -1, -1, 3, -1, 4}));
    CString e(u" \t\r\n name ");
    e.TrimLeft();
    EXPECT_EQ(e, CString(u"name "));
    e.TrimRight();
    e.Delete(1, 100);
    e.Delete(5);
    e.Insert(0, u"ski");
    e.Insert(99, u'!');
    EXPECT_EQ(e, CString(u"skin!"));
    EXPECT_EQ(e.Remove(u'!'), 1);
    e.MakeUpper();
    EXPECT_EQ(e, CString(u"SKIN"));
    // Buffer access, as file reads use it.
    LPWSTR buf = e.GetBuffer(8);
    buf[0] = u'o', buf[1] = u'k', buf[2] = 0;
    e.ReleaseBuffer();
    buf = e.GetBufferSetLength(3);
    buf[2] = u'!';
    e.ReleaseBuffer(3);
    EXPECT_EQ(e, CString(u"ok!"));
}

TEST(CStringTest, ReplaceScansLeftToRightWithoutOverlap) {
    struct Case {
        const char16_t *text, *from, *to, *result;
        int count;
    } cases[] = {{u"aaaaa", u"aa", u"b", u"bba", 2},
                 {u"\"\"\"", u"\"\"", u"\"", u"\"\"", 1},
                 {u"<a<", u"<", u"<<", u"<<a<<", 2},
                 {u"abc", u"", u"x", u"abc", 0}};
    for (const Case& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.from, c.to), c.count);
        EXPECT_EQ(s, CString(c.result));
    }
    CString chars(u"abcb");
    EXPECT_EQ(chars.Replace(u'b', u'B'), 2);
    EXPECT_EQ(chars, CString(u"aBcB"));
}

// Short texts live inside the object and longer ones in a heap block: every edit that crosses
// the line keeps the text, its terminator and its length, also when its argument is the string
// itself.
TEST(CStringTest, EditsAcrossTheInlineSizeKeepTheText) {
    const CString eleven(u"elevenunits"), twelve(u"twelve units");
    struct Case {
        CString start;
        void (*edit)(CString&);
        const char16_t* result;
    } cases[] = {
        {eleven, [](CString& s) { s += u'!'; }, u"elevenunits!"},
        {twelve, [](CString& s) { s.Delete(0, 7); }, u"units"},
        {twelve, [](CString& s) { s += s; }, u"twelve unitstwelve units"},
        {eleven, [](CString& s) { s += s.GetString(); }, u"elevenunitselevenunits"},
        {twelve, [](CString& s) { s = s.Mid(7).GetString(); }, u"units"},
        {twelve, [](CString& s) { s = s.GetString() + 7; }, u"units"},
        {eleven, [](CString& s) { s.Insert(6, u"-twelve-"); }, u"eleven-twelve-units"},
        {twelve, [](CString& s) { s.Replace(u"twelve ", u""); }, u"units"},
        {eleven, [](CString& s) { s.Format(u"%s %s", s.GetString(), s.GetString()); },
         u"elevenunits elevenunits"},
        {CString(u"ab"),
         [](CString& s) { // a buffer inside the object, then a longer one
             LPWSTR buffer = s.GetBuffer(5);
             buffer[2] = u'c', buffer[3] = 0;
             s.ReleaseBuffer();
         },
         u"abc"},
        {CString(u"ab"),
         [](CString& s) {
             LPWSTR buffer = s.GetBuffer(40);
             for (int i = 2; i < 39; ++i)
                 buffer[i] = u'x';
             s.ReleaseBuffer(20);
         },
         u"abxxxxxxxxxxxxxxxxxx"},
        {twelve, [](CString& s) { s.GetBufferSetLength(3), s.ReleaseBuffer(); }, u"twe"},
        {twelve, [](CString& s) { s.TrimRight(u's'), s.MakeUpper(); }, u"TWELVE UNIT"},
    };
    for (Case& c : cases) {
        CString s = c.start;
        c.edit(s);
        EXPECT_EQ(s, CString(c.result)) << CString(c.result).ToUtf8();
        EXPECT_EQ(s.GetLength(), int(std::u16string_view(c.result).size()));
        EXPECT_EQ(s.GetString()[s.GetLength()], 0);
    }
    // Copies are deep on both sides of the line, and a moved-from string is empty.
    for (const CString& text : {eleven, twelve}) {
        CString copy = text, assigned;
        assigned = copy;
        copy.SetAt(0, u'E');
        EXPECT_EQ(assigned, text);
        CString moved = std::move(copy);
        EXPECT_TRUE(copy.IsEmpty());
        EXPECT_EQ(moved.Mid(1), text.Mid(1));
        assigned = std::move(moved);
        EXPECT_EQ(assigned.GetAt(0), u'E');
    }
}

TEST(CStringTest, CompareNoCaseFoldsToLowerCase) {
    EXPECT_EQ(CString(u"Night?SKN").CompareNoCase(u"night?skn"), 0);
    EXPECT_EQ(CString(u"Ärger").CompareNoCase(u"äRGER"), 0); // Latin-1 letters fold too
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    // Letters fold to lower case, as the run-time library does: '_' (0x5F) sorts before 'a'
    // (0x61), where folding to upper case would have put it after 'A' (0x41).
    EXPECT_LT(CString(u"_").CompareNoCase(u"A"), 0);
    EXPECT_GT(CString(u"abc").CompareNoCase(u"AB"), 0);
    EXPECT_LT(CompareIgnoringCase(u"ab", u"ABC"), 0); // the same order on views
    EXPECT_NE(CString(u"Section").Compare(u"section"), 0);
}

TEST(CStringTest, FormatFieldsAndUtf8) {
    CString key;
    key.Format(u"%s%.3u%.4u%.1u", CString(u"Tahoma"), -12, 700, 0);
    // A negative height is formatted as its unsigned 32-bit value.
    EXPECT_EQ(key, CString(u"Tahoma429496728407000"));
    key.Format(u"%s%.3u%.4u%.1u", u"Arial", 9, 400, 1);
    EXPECT_EQ(key, CString(u"Arial00904001"));
    key.Format(u"[%5d|%-4s|%x|%05d|%%|%c|%s]", -42, u"ab", 255u, 42, u'Z', "\xc3\xa9");
    EXPECT_EQ(key, CString(u"[  -42|ab  |ff|00042|%|Z|\u00e9]"));
    std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80";
    CString s = CString::FromUtf8(text);
    EXPECT_EQ(s.GetLength(), 9); // the emoji takes two code units
    EXPECT_EQ(s.ToUtf8(), text);
    // Broken sequences and lone surrogates become U+FFFD instead of corrupting what follows.
    EXPECT_EQ(CString::FromUtf8("a\xc3z").ToUtf8(), "a\xef\xbf\xbdz");
    EXPECT_EQ((CString(WCHAR(0xD800)) + u'x').ToUtf8(), "\xef\xbf\xbdx");
}

TEST(WideRuntimeTest, ReadsCopiesAndComparesLikeTheDevice) {
    // 32-bit wrap-around: "4294967295" and "-1" give the same bits.
    EXPECT_EQ((std::vector<LONG>{_wtol(u"  +12x"), _wtol(u"\t-7"), _wtol(u"0x1F"), _wtol(u"abc"),
                                 _wtol(nullptr), _wtol(u"4294967295"), _wtol(u"-1"), _wtol(u"90")}),
              (std::vector<LONG>{12, -7, 0, 0, 0, -1, -1, 90}));
    WCHAR buf[16];
    wcscpy(buf, u"skin");
    EXPECT_EQ(wcslen(buf), 4u);
    wcscat(buf, u"kit");
    EXPECT_EQ(CString(buf), CString(u"skinkit"));
    EXPECT_LT(_wcsicmp(u"bmi", u"BMP"), 0);
    EXPECT_EQ(_wcsnicmp(u"ChoiceX", u"choice", 6), 0);
}

} // namespace
