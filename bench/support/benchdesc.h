// Large skin descriptions for benchmarks, built in code: sections of components that each carry
// the same number of attributes, with values and descriptions of the lengths skins use.
#pragma once

#include "platform/base/afx.h"

#include <vector>

struct BenchDescriptionShape {
    int sections = 10, componentsPerSection = 200, attributes = 12;
};

// The text form: UTF-16LE with its byte-order mark, and valid XML (so expat reads it too).
std::vector<BYTE> BenchTextDescription(const BenchDescriptionShape& shape);
// The same skin in the record form, as the builder writes it into packages.
std::vector<BYTE> BenchRecordDescription(const std::vector<BYTE>& text);
