#include "platform/base/afx.h"

#include <gtest/gtest.h>

namespace {

TEST(CStringTest, SubstringsAndSearchesClampOutOfRangeArguments) {
    CString s(u"skinkit");
    EXPECT_EQ(s.Left(4), CString(u"skin"));
    EXPECT_EQ(s.Left(-3), CString());
    EXPECT_EQ(s.Left(99), s);
    EXPECT_EQ(s.Mid(4, 2), CString(u"ki"));
    EXPECT_EQ(s.Mid(7), CString());
    EXPECT_EQ(s.Mid(2, -1), CString());
    EXPECT_EQ(s.Mid(-2, 3), CString(u"ski"));
    EXPECT_EQ(s.Right(-1), CString());
    EXPECT_EQ(s.Right(50), s);
    // Searches report -1 when absent.
    CString path(u"a\\b\\c.sdf");
    EXPECT_EQ(path.Find(u'\\', 2), 3);
    EXPECT_EQ(path.Find(u'a', 100), -1);
    EXPECT_EQ(path.Find(u"sdf", 7), -1);
    EXPECT_EQ(path.ReverseFind(u'\\'), 3);
    EXPECT_EQ(path.ReverseFind(u'#'), -1);
    EXPECT_EQ(path.FindOneOf(u".c"), 4);
}

TEST(CStringTest, ReplaceScansLeftToRightWithoutOverlap) {
    CString s(u"aaaaa");
    EXPECT_EQ(s.Replace(u"aa", u"b"), 2);
    EXPECT_EQ(s, CString(u"bba"));
    CString quotes(u"\"\"\"");
    EXPECT_EQ(quotes.Replace(u"\"\"", u"\""), 1);
    EXPECT_EQ(quotes, CString(u"\"\""));
    CString grow(u"<a<");
    EXPECT_EQ(grow.Replace(u"<", u"<<"), 2);
    EXPECT_EQ(grow, CString(u"<<a<<"));
    CString none(u"abc");
    EXPECT_EQ(none.Replace(u"", u"x"), 0);
    EXPECT_EQ(none.Replace(u'b', u'B'), 1);
    EXPECT_EQ(none, CString(u"aBc"));
}

TEST(CStringTest, EditingOperations) {
    CString s(u" \t\r\n name ");
    s.TrimLeft();
    EXPECT_EQ(s, CString(u"name "));
    s.TrimRight();
    EXPECT_EQ(s, CString(u"name"));
    s.Delete(1, 100);
    EXPECT_EQ(s, CString(u"n"));
    s.Delete(5);
    EXPECT_EQ(s, CString(u"n"));
    s.Insert(0, u"ski");
    s.Insert(99, u'!');
    EXPECT_EQ(s, CString(u"skin!"));
    EXPECT_EQ(s.Remove(u'!'), 1);
    s.MakeUpper();
    EXPECT_EQ(s, CString(u"SKIN"));
    // Buffer access, as file reads use it.
    LPWSTR buf = s.GetBuffer(8);
    buf[0] = u'o', buf[1] = u'k', buf[2] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(s, CString(u"ok"));
    buf = s.GetBufferSetLength(3);
    buf[2] = u'!';
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, CString(u"ok!"));
}

TEST(CStringTest, CompareNoCaseFoldsToLowerCase) {
    EXPECT_EQ(CString(u"Night?SKN").CompareNoCase(u"night?skn"), 0);
    EXPECT_LT(CString(u"abc").CompareNoCase(u"ABD"), 0);
    // Letters fold to lower case, as the run-time library does: '_' (0x5F) sorts before 'a'
    // (0x61), where folding to upper case would have put it after 'A' (0x41).
    EXPECT_LT(CString(u"_").CompareNoCase(u"A"), 0);
    EXPECT_LT(CString(u"10.0.0").CompareNoCase(u"2.0.0"), 0);
    EXPECT_NE(CString(u"Section").Compare(u"section"), 0);
}

TEST(CStringTest, FormatFields) {
    CString key;
    key.Format(u"%s%.3u%.4u%.1u", CString(u"Tahoma"), -12, 700, 0);
    // A negative height is formatted as its unsigned 32-bit value.
    EXPECT_EQ(key, CString(u"Tahoma429496728407000"));
    key.Format(u"%s%.3u%.4u%.1u", u"Arial", 9, 400, 1);
    EXPECT_EQ(key, CString(u"Arial00904001"));
    CString mixed;
    mixed.Format(u"[%5d|%-4s|%x|%05d|%%|%c]", -42, u"ab", 255u, 42, u'Z');
    EXPECT_EQ(mixed, CString(u"[  -42|ab  |ff|00042|%|Z]"));
    CString narrow;
    narrow.Format(u"%s=%d", "utf8 \xc3\xa9", 3);
    EXPECT_EQ(narrow, CString(u"utf8 \u00e9=3"));
}

TEST(CStringTest, Utf8BoundaryRoundTrips) {
    std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80";
    CString s = CString::FromUtf8(text);
    EXPECT_EQ(s.GetLength(), 9); // the emoji takes two code units
    EXPECT_EQ(s.ToUtf8(), text);
    // Broken sequences and lone surrogates become U+FFFD instead of corrupting what follows.
    EXPECT_EQ(CString::FromUtf8("a\xc3z").ToUtf8(), "a\xef\xbf\xbdz");
    CString lone;
    lone += WCHAR(0xD800);
    lone += u'x';
    EXPECT_EQ(lone.ToUtf8(), "\xef\xbf\xbdx");
}

TEST(WideRuntimeTest, ReadsCopiesAndComparesLikeTheDevice) {
    EXPECT_EQ(_wtol(u"  +12x"), 12);
    EXPECT_EQ(_wtol(u"\t-7"), -7);
    EXPECT_EQ(_wtol(u"0x1F"), 0);
    EXPECT_EQ(_wtol(u"abc"), 0);
    EXPECT_EQ(_wtol(nullptr), 0);
    // 32-bit wrap-around: both spellings give the same bits.
    EXPECT_EQ(_wtol(u"4294967295"), -1);
    EXPECT_EQ(DWORD(_wtol(u"-1")), 0xFFFFFFFFu);
    WCHAR buf[16];
    wcscpy(buf, u"skin");
    EXPECT_EQ(wcslen(buf), 4u);
    wcscat(buf, u"kit");
    EXPECT_EQ(CString(buf), CString(u"skinkit"));
    EXPECT_LT(_wcsicmp(u"bmi", u"BMP"), 0);
    EXPECT_EQ(_wcsnicmp(u"ChoiceX", u"choice", 6), 0);
}

} // namespace
