#pragma once
// What typing or pasting may put into a field whose text goes into the book.
//
// A line break would split the entry into two lines of the book file and
// character 26 ends the file for the reader, so both never get into a
// field: each line break (CR, LF, or CR LF together) becomes one space and
// character 26 is dropped. Fields of figures (amounts, dates) also take the
// full-width digits and comma and the yen signs an input method types in
// full-width mode as their ASCII forms, so that "１，２００" counts as 1,200;
// a yen sign becomes "\", its place in the single-byte half of Shift-JIS.

#include <string>
#include <string_view>

namespace sorabel {

enum class FieldText { Words, Figures };

// The UTF-8 text with the rules above applied.
std::string cleanFieldText(std::string_view utf8, FieldText kind);

}  // namespace sorabel
