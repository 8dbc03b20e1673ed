// Making a sample skin ready to pack: the definition (kept in UTF-8) written as a text-form
// description, UTF-16LE with its byte-order mark, and every bitmap it names drawn beside it.
#pragma once

#include <string>

// Writes folder/<definition's file name> and its bitmaps; false with a message in error when
// the definition cannot be read or names a bitmap there is no drawing for. drawn, when given,
// receives the path of each bitmap written.
bool GenerateSkin(const std::string& definition, const std::string& folder, std::string& error,
                  void (*drawn)(const std::string& path) = nullptr);
