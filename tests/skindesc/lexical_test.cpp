// The lexical rules of the text form and the record form's strings.
#include "skindesc/descreader.h"

#include "desc_helpers.h"

#include <gtest/gtest.h>

namespace {

struct Found {
    bool ok;
    CString content, attributes, rest;
};

Found Find(const CString& text, const CString& name) {
    Found f;
    f.rest = text;
    f.ok = FindElement(f.rest, name, f.content, &f.attributes);
    return f;
}

CString Value(const CString& attributes, const CString& name, bool* ok = nullptr) {
    CString value = u"not touched";
    bool found = GetAttributeValue(attributes, value, name);
    if (ok) *ok = found;
    return value;
}

} // namespace

TEST(FindElement, EmptyElementGivesAttributesAndIsRemoved) {
    Found f = Find(u"\uFEFF<a/><item id=\"1\" name=\"x\"/> tail", u"item");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.attributes, CString(u" id=\"1\" name=\"x\""));
    EXPECT_EQ(f.content, CString());
    EXPECT_EQ(f.rest, CString(u"\uFEFF<a/> tail"));
}

TEST(FindElement, ContentElementRemovedWithClosingTag) {
    Found f = Find(u"x<sec id=\"s\"> <c/> inner </sec>y", u"sec");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.attributes, CString(u" id=\"s\""));
    EXPECT_EQ(f.content, CString(u" <c/> inner "));
    EXPECT_EQ(f.rest, CString(u"xy"));
}

TEST(FindElement, RepeatedSearchesYieldDocumentOrder) {
    CString text = u"<p v=\"1\"/><q/><p v=\"2\"></p><p v=\"3\"/>";
    CString content, attributes;
    std::vector<CString> seen;
    while (FindElement(text, u"p", content, &attributes))
        seen.push_back(attributes);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], CString(u" v=\"1\""));
    EXPECT_EQ(seen[1], CString(u" v=\"2\""));
    EXPECT_EQ(seen[2], CString(u" v=\"3\""));
    EXPECT_EQ(text, CString(u"<q/>"));
}

TEST(FindElement, NameMustEndAtSpaceBracketOrSlash) {
    // "sections" is not "section"; the one after it is found.
    Found f = Find(u"<sections x=\"1\"/><section id=\"2\"/>", u"section");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.attributes, CString(u" id=\"2\""));
    EXPECT_EQ(f.rest, CString(u"<sections x=\"1\"/>"));
    EXPECT_TRUE(Find(u"<section>c</section>", u"section").ok);
    EXPECT_FALSE(Find(u"<section\tid=\"1\"/>", u"section").ok);
    EXPECT_FALSE(Find(u"<section\r\nid=\"1\"/>", u"section").ok);
    EXPECT_FALSE(Find(u"<section", u"section").ok);
}

TEST(FindElement, ElementNamesCompareExactly) {
    EXPECT_FALSE(Find(u"<Section id=\"1\"/>", u"section").ok);
    EXPECT_FALSE(Find(u"<section id=\"1\"></Section>", u"section").ok);
}

TEST(FindElement, DoubledBracketsAreEscapes) {
    // "<<a" is an escaped "<" followed by text, not an element.
    Found escaped = Find(u"v=\"<<a x\" <a id=\"2\"/>", u"a");
    ASSERT_TRUE(escaped.ok);
    EXPECT_EQ(escaped.attributes, CString(u" id=\"2\""));
    // A doubled ">" inside a value does not end the start tag.
    Found inValue = Find(u"<a v=\"x>>y\" w=\"1\"/>", u"a");
    ASSERT_TRUE(inValue.ok);
    EXPECT_EQ(inValue.attributes, CString(u" v=\"x>>y\" w=\"1\""));
    // An escaped closing tag inside the content is skipped.
    Found closing = Find(u"<a>1<</a>>2</a>3", u"a");
    ASSERT_TRUE(closing.ok);
    EXPECT_EQ(closing.content, CString(u"1<</a>>2"));
    EXPECT_EQ(closing.rest, CString(u"3"));
}

TEST(FindElement, IncompleteElementsAreNotFound) {
    EXPECT_FALSE(Find(u"<a id=\"1\"", u"a").ok);     // no ">"
    EXPECT_FALSE(Find(u"<a id=\"1\">>", u"a").ok);   // only a doubled ">"
    EXPECT_FALSE(Find(u"<a>content", u"a").ok);      // no closing tag
    EXPECT_FALSE(Find(u"<a>content<</a>", u"a").ok); // only an escaped closing tag
    // A ">" that is the text's last character ends the start tag of an empty element.
    Found last = Find(u"<a x=\"1\"/>", u"a");
    EXPECT_TRUE(last.ok);
    EXPECT_EQ(last.rest, CString());
}

TEST(FindElement, FailureStopsAtFirstCountingHit) {
    // The first "a" is incomplete, so the complete one after it is not tried.
    CString text = u"<a>never closed <a/>";
    CString content, attributes;
    EXPECT_FALSE(FindElement(text, u"a", content, &attributes));
    EXPECT_EQ(text, CString(u"<a>never closed <a/>"));
    EXPECT_EQ(content, CString());
}

TEST(FindElement, LikeNamedElementsDoNotNest) {
    Found f = Find(u"<a>1<a>2</a>3</a>", u"a");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.content, CString(u"1<a>2"));
    EXPECT_EQ(f.rest, CString(u"3</a>"));
}

TEST(FindElement, CommentsAreOrdinaryText) {
    Found f = Find(u"<!-- <a id=\"hidden\"/> -->", u"a");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.attributes, CString(u" id=\"hidden\""));
    EXPECT_EQ(f.rest, CString(u"<!--  -->"));
}

TEST(FindElement, AttributesMayBeNull) {
    CString text = u"<a x=\"1\">c</a>", content;
    ASSERT_TRUE(FindElement(text, u"a", content, nullptr));
    EXPECT_EQ(content, CString(u"c"));
}

TEST(FindElement, RemovalCanCompleteOrBreakLaterHits) {
    // Taking <x/> out joins "<se" and "ction " into an element.
    CString text = u"<se<x/>ction id=\"j\"/>", content, attributes;
    EXPECT_FALSE(FindElement(text, u"section", content, &attributes));
    ASSERT_TRUE(FindElement(text, u"x", content, &attributes));
    ASSERT_TRUE(FindElement(text, u"section", content, &attributes));
    EXPECT_EQ(attributes, CString(u" id=\"j\""));
    // Taking <a></a> out puts ">" next to ">", which no longer ends b's start tag.
    CString before = u"<b ><a></a>>c</b>";
    text = before;
    ASSERT_TRUE(FindElement(before, u"b", content, &attributes));
    EXPECT_EQ(content, CString(u"<a></a>>c"));
    ASSERT_TRUE(FindElement(text, u"a", content, &attributes));
    EXPECT_EQ(text, CString(u"<b >>c</b>"));
    EXPECT_FALSE(FindElement(text, u"b", content, &attributes));
}

TEST(GetAttributeValue, FindsPairsIgnoringNameCase) {
    CString attributes = u"  id=\"7\"\tname=\"Ok\" ID=\"8\"";
    EXPECT_EQ(Value(attributes, u"id"), CString(u"7"));
    EXPECT_EQ(Value(attributes, u"NAME"), CString(u"Ok"));
    bool ok = true;
    EXPECT_EQ(Value(attributes, u"type", &ok), CString());
    EXPECT_FALSE(ok);
}

TEST(GetAttributeValue, EscapesAndEmptyValues) {
    EXPECT_EQ(Value(u"v=\"say \"\"hi\"\"\"", u"v"), CString(u"say \"hi\""));
    bool ok = false;
    EXPECT_EQ(Value(u"v=\"\" w=\"1\"", u"v", &ok), CString());
    EXPECT_TRUE(ok);
    EXPECT_EQ(Value(u"a=\"1\"b=\"2\"", u"b"), CString(u"2")); // no white space needed
}

TEST(GetAttributeValue, MalformedPairsEndTheSearch) {
    const char16_t* cases[] = {
        u"a=1 v=\"x\"",       // unquoted value
        u"a = \"1\" v=\"x\"", // space before "="
        u"a= \"1\" v=\"x\"",  // space after "="
        u"a=\"1 v=\"x",       // the value runs to the next lone quote, leaving x
        u"v=\"x",             // no closing quote
        u"a v=\"x\"",         // the first "=" belongs to a name with a space
        u"",
        u"=\"x\"",
    };
    for (const char16_t* text : cases) {
        bool ok = true;
        EXPECT_EQ(Value(text, u"v", &ok), CString()) << CString(text).ToUtf8();
        EXPECT_FALSE(ok) << CString(text).ToUtf8();
    }
    EXPECT_EQ(Value(u"v=\"x\" a=1", u"v"), CString(u"x")); // a fault after the match is harmless
}

TEST(QuoteValue, RoundTripsThroughTheScanner) {
    const char16_t* values[] = {u"plain", u"a<b>c", u"<<>>", u"say \"x\"", u"</a>", u"", u" "};
    for (const char16_t* v : values) {
        CString text = u"<a v=" + QuoteValue(v) + u"/><a v=\"next\"/>";
        CString content, attributes, value;
        ASSERT_TRUE(FindElement(text, u"a", content, &attributes)) << CString(v).ToUtf8();
        ASSERT_TRUE(GetAttributeValue(attributes, value, u"v"));
        EXPECT_EQ(value, CString(v));
        ASSERT_TRUE(FindElement(text, u"a", content, &attributes));
        EXPECT_EQ(attributes, CString(u" v=\"next\""));
    }
    EXPECT_EQ(QuoteValue(u"a\"<>"), CString(u"\"a\"\"<<>>\""));
}

TEST(QuoteValue, OnlyQuotesDoNotRoundTrip) {
    // Doubled quotes collapse before the outer quotes are dropped.
    EXPECT_EQ(UnquoteValue(QuoteValue(u"\"")), CString());
    EXPECT_EQ(UnquoteValue(QuoteValue(u"\"\"")), CString(u"\""));
    EXPECT_EQ(UnquoteValue(u"\"\""), CString());
    EXPECT_EQ(UnquoteValue(u"<<<>>>"), CString(u"<<>>")); // replacements do not overlap
    EXPECT_EQ(UnquoteValue(u"no quotes"), CString(u"no quotes"));
}

TEST(DescriptionFile, FormIsToldByTheDeclarationMark) {
    CMemFile file;
    LoadMemFile(file, Utf16Bytes(u"<?XML version=\"1.0\"?>"));
    EXPECT_FALSE(IsRecordForm(file));
    EXPECT_EQ(file.GetPosition(), 12u);
    LoadMemFile(file, Utf16Bytes(u"<?xml", false)); // no mark: the first character is skipped
    EXPECT_TRUE(IsRecordForm(file));
    LoadMemFile(file, Utf16Bytes(u"<?xm"));
    EXPECT_TRUE(IsRecordForm(file));
    LoadMemFile(file, RecordStream({u"SKIN"}));
    EXPECT_TRUE(IsRecordForm(file));
}

TEST(DescriptionFile, ReadTextKeepsMarkAndStopsAtZero) {
    CMemFile file;
    std::vector<BYTE> bytes = Utf16Bytes(u"ab");
    bytes.insert(bytes.end(), {0, 0, 'c', 0, 'd'}); // a zero unit, then an odd last byte
    LoadMemFile(file, bytes);
    CString text;
    ReadText(file, text);
    EXPECT_EQ(text, CString(u"\uFEFFab"));
    bytes = Utf16Bytes(u"xy");
    bytes.push_back('z');
    LoadMemFile(file, bytes);
    ReadText(file, text);
    EXPECT_EQ(text, CString(u"\uFEFFxy"));
}

TEST(RecordString, ReadsWrittenStringsAndEnds) {
    CMemFile file;
    WriteRecordString(u"h\u00e9llo", file);
    WriteRecordString(u"", file);
    EXPECT_EQ(MemFileBytes(file),
              (std::vector<BYTE>{5, 0, 0, 0, 'h', 0, 0xE9, 0, 'l', 0, 'l', 0, 'o', 0, 0, 0, 0, 0}));
    file.Seek(0, CFile::begin);
    CString s = u"x";
    EXPECT_TRUE(ReadRecordString(file, s));
    EXPECT_EQ(s, CString(u"h\u00e9llo"));
    s = u"x";
    EXPECT_TRUE(ReadRecordString(file, s)); // an explicit empty string
    EXPECT_EQ(s, CString());
    s = u"x";
    EXPECT_FALSE(ReadRecordString(file, s)); // the end of the stream
    EXPECT_EQ(s, CString());
}

TEST(RecordString, CountRunningPastTheEndStopsThere) {
    // Guards the decision: a count past the end yields what the file holds, then the end.
    CMemFile file;
    LoadMemFile(file, {0xFF, 0xFF, 0xFF, 0x7F, 'a', 0, 'b', 0, 'c'});
    CString s;
    EXPECT_TRUE(ReadRecordString(file, s));
    EXPECT_EQ(s, CString(u"ab"));
    EXPECT_FALSE(ReadRecordString(file, s));
    // A count read only in part is the end of the stream.
    LoadMemFile(file, {3, 0, 0});
    EXPECT_FALSE(ReadRecordString(file, s));
    // A zero unit ends the string; the whole count is still consumed.
    LoadMemFile(file, {3, 0, 0, 0, 'a', 0, 0, 0, 'b', 0, 1, 0, 0, 0, 'z', 0});
    EXPECT_TRUE(ReadRecordString(file, s));
    EXPECT_EQ(s, CString(u"a"));
    EXPECT_TRUE(ReadRecordString(file, s));
    EXPECT_EQ(s, CString(u"z"));
}

TEST(FindElement, OnlyWholeUnitsAreBrackets) {
    // Guards the byte-wise search: units whose low or high byte equals "<" or ">" are letters.
    Found f = Find(u"\u013C\u3C3Ca <a v=\"\u013E\u3E00\"/>\u3E3E", u"a");
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.attributes, CString(u" v=\"\u013E\u3E00\""));
    EXPECT_EQ(f.rest, CString(u"\u013C\u3C3Ca \u3E3E"));
    EXPECT_FALSE(Find(u"\u013Ca/>", u"a").ok);
}
