#pragma once
// The Brazilian regional settings, whatever the process locale: text comparison and ordering,
// number formats and text helpers shared by the layers.
#include <optional>
#include <string>
#include <string_view>

namespace zelt::regional {

// Portuguese ordering, case-insensitive, accents after their base letter (Álvaro beside Alberto,
// "ana" equal to "Ana"). Returns <0, 0, >0. Invalid UTF-8 compares bytewise after valid text.
int compareText(std::string_view a, std::string_view b);
bool equalText(std::string_view a, std::string_view b);
// The same, as a sort key usable with memcmp (for indexes and repeated sorts).
std::string sortKey(std::string_view text);
// Case folding for LIKE and case-insensitive searches.
std::string foldCase(std::string_view text);
std::string toUpper(std::string_view text);

// VB Format with a number pattern ("#,##0.00", "0000", "00000-000", "000\.000\.000\-00", ...):
// "," groups thousands and "." is the decimal point in the pattern; the output uses the regional
// "." for thousands and "," for decimals. Backslash writes the next character literally.
std::string formatNumber(double value, std::string_view pattern);

// Jet/VB Val: leading blanks, blanks inside the digits skipped, stops at the first other character.
double val(std::string_view text);

// VB Trim/LTrim/RTrim (spaces only).
std::string_view trim(std::string_view text);

// Reads a number written with "." as the decimal point ("-12.5", "1e3"), whatever the process
// locale; nothing unless the whole text is that number.
std::optional<double> plainDecimal(std::string_view text);

// Reads a number as VB does under the regional settings; nothing when it is not numeric.
std::optional<double> parseNumber(std::string_view text);

}  // namespace zelt::regional
