// Arbitrary text (each byte one Latin-1 character; the first byte picks the names searched)
// scanned element by element: CElementScanner must agree with the plain algorithm that cuts
// each found element out of a string, the one-shot FindElement with both, and every attribute
// lookup of the loader with GetAttributeValue. Quoting must round-trip every value that is not
// made of double quotes alone.

#include "../tests/skindesc/reference_scanner.h"
#include "skindesc/attributetext.h"
#include "skindesc/descreader.h"
#include "skindesc/elementscanner.h"

#include <cstdint>
#include <cstdlib>

namespace {

const char16_t* const kNames[] = {u"a", u"section", u"component", u"attribute", u"b", u""};
const char16_t* const kAttributes[] = {u"id", u"name", u"type", u"value", u"ID", u"x"};

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckAttributes(const CString& attributes) {
    CAttributeText pairs(attributes);
    for (const char16_t* name : kAttributes) {
        CString expected, value;
        bool found = GetAttributeValue(attributes, expected, name);
        Check(pairs.Get(name, value) == found && value == expected);
        bool onlyQuotes = !expected.IsEmpty() &&
                          expected.View().find_first_not_of(u'"') == std::u16string_view::npos;
        if (!onlyQuotes) Check(UnquoteValue(QuoteValue(expected)) == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::u16string reference(data + 1, data + size);
    CElementScanner scanner{CString(reference)};
    CString oneShot(reference);
    for (unsigned step = 0; step < 8; ++step) {
        CString name = kNames[(data[0] + step * 5) % std::size(kNames)];
        ReferenceResult expected = ReferenceFind(reference, name.Str());
        CString content, attributes, content2, attributes2;
        bool found = scanner.FindElement(name.View(), content, &attributes);
        bool found2 = FindElement(oneShot, name, content2, &attributes2);
        Check(found == expected.ok && found2 == expected.ok);
        Check(content.Str() == expected.content && attributes.Str() == expected.attributes);
        Check(content2 == content && attributes2 == attributes);
        Check(scanner.GetText().Str() == reference && oneShot.Str() == reference);
        CheckAttributes(attributes);
    }
    return 0;
}
