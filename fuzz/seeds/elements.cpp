// Texts for the elements fuzz target (first byte: which names are searched; then Latin-1 text).

#include "seeds.h"

#include <string>
#include <vector>

namespace {

void Seed(const std::string& folder, const std::string& name, char first, const std::string& text) {
    std::vector<unsigned char> bytes(1, static_cast<unsigned char>(first));
    bytes.insert(bytes.end(), text.begin(), text.end());
    WriteSeed(folder, name, bytes);
}

void WriteElementsSeeds(const std::string& folder) {
    Seed(folder, "nested", 0,
         "<a id=\"1\"><b/></a><section id=\"s\"><component id=\"2\" name=\"x\">"
         "<attribute id=\"v\" value=\"a \"\"b\"\" <<c>>\"/></component></section>");
    Seed(folder, "escapes", 1,
         "<<a x=\">>\"/><a v=\"1\" w=\"2\">1<</a>>2</a><se<a/>ction id=\"j\"/>");
    Seed(folder, "broken", 2, "<component id=\"1\"><attribute id=\"x\" value=1/></component");
    Seed(folder, "empty", 5, "< /><>x</>");
}

} // namespace

REGISTER_SEEDS(elements, WriteElementsSeeds);
