// The lexical level of skin descriptions.
//
// Both forms are UTF-16LE files that begin with the byte-order mark FF FE. The text form is an
// XML-like text opening with "<?xml"; the record form is a run of length-prefixed strings.
//
// The text form is not XML: no entities, comments or nesting of like-named elements. Its only
// escapes are doubled characters inside quoted attribute values ("" < < and > >), so a scanner
// can tell an element's brackets from brackets inside values by looking at their neighbours.
// Element names compare exactly; attribute names and the "<?xml" mark ignore letter case.
#pragma once

#include "platform/base/afx.h"

#include <string>
#include <string_view>

// True unless the five characters after the byte-order mark spell "<?xml" (any letter case).
// Leaves the file positioned after the 12 bytes it looked at.
bool IsRecordForm(CFile& file);

// The whole file as UTF-16 text, up to its end or its first zero code unit. The byte-order mark
// stays as the first character.
void ReadText(CFile& file, CString& text);
// The same text as code units, for a reader that keeps it.
std::u16string ReadTextUnits(CFile& file);
// The same text where it can be read in place: a memory file's own bytes when they can serve
// as code units as they are; otherwise read into storage. Valid while both are unchanged.
std::u16string_view ViewTextUnits(CFile& file, std::u16string& storage);

// Finds the first element `name` in text, returns its attribute text and content, and removes
// the whole element from text. False when no complete element is there.
bool FindElement(CString& text, const CString& name, CString& content, CString* attributes);

// The unquoted value of the first attribute called `name` (letter case ignored). A malformed
// pair ends the search: value is then "" and the result false.
bool GetAttributeValue(const CString& attributes, CString& value, const CString& name);

// Splits the next name="value" pair off the front of rest. quoted keeps its quotes and escapes.
// False at a malformed pair or when nothing is left.
bool NextAttribute(std::u16string_view& rest, std::u16string_view& name,
                   std::u16string_view& quoted);

// Escapes and quotes a value for writing, and the reverse.
CString QuoteValue(const CString& value);
CString UnquoteValue(const CString& quoted);

// Record-form strings: a 32-bit little-endian count of code units, then the code units.
// Reading returns false when no count is left (the end of the stream). A count running past
// the end of the file yields the code units that are there.
bool ReadRecordString(CFile& file, CString& out);
void WriteRecordString(const CString& s, CFile& file);
// The string's code units, little-endian, without terminator.
void WriteText(const CString& s, CFile& file);
