// CElementScanner against the plain algorithm that cuts every found element out of a string:
// random texts rich in brackets, slashes and near-miss names, random sequences of searches.
#include "skindesc/elementscanner.h"

#include "desc_helpers.h"
#include "reference_scanner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

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
