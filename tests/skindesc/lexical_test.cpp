// The lexical rules of the text form and the record form's strings; CElementScanner against
// the plain algorithm that cuts every found element out of a string.
#include "skindesc/descreader.h"
#include "skindesc/elementscanner.h"

#include "desc_helpers.h"
#include "reference_scanner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

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

const std::u16string kNames[] = {u"a", u"ab", u"b", u"ba", u"section", u""};
const std::u16string kPieces[] = {u"<a",   u"<ab", u"<b", u"</a>", u"</ab>",     u"</b>",
                                  u"/>",   u">",   u">>", u"<<",   u" ",         u"a",
                                  u"b",    u"/",   u"<",  u"<se",  u"ction",     u"x=\"1\"",
                                  u"<a/>", u"<b>", u"</", u"\"",   u"<section ", u"</section>"};

std::u16string RandomText(std::mt19937& rng) {
    std::u16string text;
    int pieces = std::uniform_int_distribution<int>(0, 60)(rng);
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    for (int i = 0; i < pieces; ++i)
        text += kPieces[pick(rng)];
    return text;
}

unsigned BaseSeed() {
    const char* env = std::getenv("SKINKIT_SEED");
    return env ? unsigned(std::strtoul(env, nullptr, 10)) : std::random_device{}();
}

} // namespace

TEST(FindElement, OneSearchFindsRemovesOrLeavesTheText) {
    struct Case {
        const char16_t *text, *name;
        bool ok;
        const char16_t *attributes = u"", *content = u"", *rest = u""; // when found
    } cases[] = {
        // Names, escapes and incomplete elements are compared with the plain algorithm by the
        // random texts below; here what those never hold, and the decisions.
        {u"\uFEFF<a/><item id=\"1\" name=\"x\"/> tail", u"item", true, u" id=\"1\" name=\"x\"", u"",
         u"\uFEFF<a/> tail"},
        {u"<section\tid=\"1\"/>", u"section", false},
        {u"<Section id=\"1\"/>", u"section", false},
        {u"<section id=\"1\"></Section>", u"section", false},
        // Like-named elements do not nest; comments are ordinary text.
        {u"<a>1<a>2</a>3</a>", u"a", true, u"", u"1<a>2", u"3</a>"},
        {u"<!-- <a id=\"hidden\"/> -->", u"a", true, u" id=\"hidden\"", u"", u"<!--  -->"},
        // Guards the byte-wise search: units whose low or high byte equals "<" or ">" are letters.
        {u"\u013C\u3C3Ca <a v=\"\u013E\u3E00\"/>\u3E3E", u"a", true, u" v=\"\u013E\u3E00\"", u"",
         u"\u013C\u3C3Ca \u3E3E"},
        {u"\u013Ca/>", u"a", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CString(c.text).ToUtf8());
        Found f = Find(c.text, c.name);
        ASSERT_EQ(f.ok, c.ok);
        EXPECT_EQ(f.rest, CString(c.ok ? c.rest : c.text));
        if (!c.ok) continue;
        EXPECT_EQ(f.attributes, CString(c.attributes));
        EXPECT_EQ(f.content, CString(c.content));
    }
    CString text = u"<a x=\"1\">c</a>", content;
    ASSERT_TRUE(FindElement(text, u"a", content, nullptr)); // attributes are optional
    EXPECT_EQ(content, CString(u"c"));
}

TEST(GetAttributeValue, PairsEscapesAndMalformedTexts) {
    const char16_t* pairs = u"  id=\"7\"\tname=\"Ok\" ID=\"8\"";
    struct Case {
        const char16_t *attributes, *name;
        bool found;
        const char16_t* value;
    } cases[] = {
        {pairs, u"id", true, u"7"}, // names ignore letter case; the first pair wins
        {pairs, u"NAME", true, u"Ok"},
        {pairs, u"type", false, u""},
        {u"v=\"say \"\"hi\"\"\"", u"v", true, u"say \"hi\""},
        {u"v=\"\" w=\"1\"", u"v", true, u""},
        {u"a=\"1\"b=\"2\"", u"b", true, u"2"}, // no white space needed
        {u"v=\"x\" a=1", u"v", true, u"x"},    // a fault after the match is harmless
        // A malformed pair ends the search.
        {u"a=1 v=\"x\"", u"v", false, u""},
        {u"a=\"1 v=\"x", u"v", false, u""}, // the value runs to the next lone quote, leaving x
        {u"a v=\"x\"", u"v", false, u""},   // the first "=" belongs to a name with a space
        {u"", u"v", false, u""},
        {u"=\"x\"", u"v", false, u""},
    };
    for (const Case& c : cases) {
        bool ok = !c.found;
        EXPECT_EQ(Value(c.attributes, c.name, &ok), CString(c.value))
            << CString(c.attributes).ToUtf8();
        EXPECT_EQ(ok, c.found) << CString(c.attributes).ToUtf8();
    }
}

TEST(QuoteValue, RoundTripsThroughTheScannerUnlessOnlyQuotes) {
    for (const char16_t* v : {u"plain", u"a<b>c", u"<<>>", u"say \"x\"", u"</a>", u"", u" "}) {
        CString text = u"<a v=" + QuoteValue(v) + u"/><a v=\"next\"/>";
        Found f = Find(text, u"a");
        ASSERT_TRUE(f.ok) << CString(v).ToUtf8();
        bool ok = false;
        EXPECT_EQ(Value(f.attributes, u"v", &ok), CString(v));
        EXPECT_TRUE(ok);
        EXPECT_EQ(f.rest, CString(u"<a v=\"next\"/>"));
    }
    EXPECT_EQ(QuoteValue(u"a\"<>"), CString(u"\"a\"\"<<>>\""));
    // Doubled quotes collapse before the outer quotes are dropped.
    EXPECT_EQ(UnquoteValue(QuoteValue(u"\"")), CString());
    EXPECT_EQ(UnquoteValue(QuoteValue(u"\"\"")), CString(u"\""));
    EXPECT_EQ(UnquoteValue(u"\"\""), CString());
    EXPECT_EQ(UnquoteValue(u"<<<>>>"), CString(u"<<>>")); // replacements do not overlap
    EXPECT_EQ(UnquoteValue(u"no quotes"), CString(u"no quotes"));
}

// The form is told by the declaration after the mark; text reads keep the mark and stop at a
// zero unit or before an odd last byte.
TEST(DescriptionFile, FormIsToldByTheDeclarationAndTextStopsAtZero) {
    CMemFile file;
    LoadMemFile(file, Utf16Bytes(u"<?XML version=\"1.0\"?>"));
    EXPECT_FALSE(IsRecordForm(file));
    EXPECT_EQ(file.GetPosition(), 12u);
    // Without a mark the first character is skipped.
    for (auto bytes : {Utf16Bytes(u"<?xml", false), Utf16Bytes(u"<?xm"), RecordStream({u"SKIN"})}) {
        LoadMemFile(file, bytes);
        EXPECT_TRUE(IsRecordForm(file));
    }
    CString text;
    for (auto bytes : {Utf16Bytes(u"ab") + std::vector<BYTE>{0, 0, 'c', 0, 'd'},
                       Utf16Bytes(u"ab") + std::vector<BYTE>{'z'}}) {
        LoadMemFile(file, bytes);
        ReadText(file, text);
        EXPECT_EQ(text, CString(u"\uFEFFab"));
    }
}

// Strings come back as written and an explicit empty string is one; a count past the end yields
// what the file holds (a decision); a count read only in part is the end; a zero unit ends a
// string whose whole count is still consumed.
TEST(RecordString, ReadsWrittenStringsAndEnds) {
    CMemFile file;
    WriteRecordString(u"h\u00e9llo", file);
    WriteRecordString(u"", file);
    std::vector<BYTE> written = MemBytes(file);
    EXPECT_EQ(written,
              (std::vector<BYTE>{5, 0, 0, 0, 'h', 0, 0xE9, 0, 'l', 0, 'l', 0, 'o', 0, 0, 0, 0, 0}));
    struct Case {
        std::vector<BYTE> bytes;
        std::vector<std::u16string> strings;
    } cases[] = {{written, {u"h\u00e9llo", u""}},
                 {{0xFF, 0xFF, 0xFF, 0x7F, 'a', 0, 'b', 0, 'c'}, {u"ab"}},
                 {{3, 0, 0}, {}},
                 {{3, 0, 0, 0, 'a', 0, 0, 0, 'b', 0, 1, 0, 0, 0, 'z', 0}, {u"a", u"z"}}};
    for (const Case& c : cases) {
        LoadMemFile(file, c.bytes);
        std::vector<std::u16string> read;
        CString s = u"x";
        while (ReadRecordString(file, s))
            read.push_back(s.Str());
        EXPECT_EQ(read, c.strings);
        EXPECT_EQ(s, CString());
    }
}

TEST(ElementScanner, MatchesCuttingElementsOut) {
    const unsigned seed = BaseSeed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (set SKINKIT_SEED to repeat)");
    std::mt19937 rng(seed);
    std::uniform_int_distribution<size_t> pickName(0, std::size(kNames) - 1);
    for (int round = 0; round < 4000; ++round) {
        std::u16string reference = RandomText(rng);
        // The second scanner gives contents as scanners over its own text, searched in turn.
        CElementScanner scanner{CString(reference)}, nesting{std::u16string(reference)};
        for (int step = 0; step < 12; ++step) {
            const std::u16string& name = kNames[pickName(rng)];
            ReferenceResult expected = ReferenceFind(reference, name);
            CString content = u"stale", attributes = u"stale", nestedAttributes;
            bool ok = scanner.FindElement(name, content, &attributes);
            ASSERT_EQ(ok, expected.ok) << "round " << round << " step " << step;
            ASSERT_EQ(content.Str(), expected.content) << "round " << round;
            ASSERT_EQ(attributes.Str(), expected.attributes) << "round " << round;
            ASSERT_EQ(scanner.GetText().Str(), reference) << "round " << round;
            CElementScanner inner;
            ASSERT_EQ(nesting.FindElement(name, inner, &nestedAttributes), ok);
            ASSERT_EQ(nestedAttributes, attributes) << "round " << round;
            std::u16string innerReference = expected.content;
            for (int nested = 0; nested < 3; ++nested) {
                const std::u16string& innerName = kNames[pickName(rng)];
                ReferenceResult innerExpected = ReferenceFind(innerReference, innerName);
                ASSERT_EQ(inner.FindElement(innerName, content, &attributes), innerExpected.ok);
                ASSERT_EQ(content.Str(), innerExpected.content) << "round " << round;
                ASSERT_EQ(inner.GetText().Str(), innerReference) << "round " << round;
            }
        }
    }
}
