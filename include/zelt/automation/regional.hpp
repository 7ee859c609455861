#pragma once
// The Brazilian regional settings, whatever the process locale: text comparison and ordering,
// number formats and text helpers shared by the layers.
#include <optional>
#include <string>
#include <string_view>

#include "zelt/automation/currency.hpp"

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
// "." for thousands and "," for decimals. Backslash writes the next character literally. A half
// rounds away from zero; a double is rounded as its shortest decimal text, an amount exactly.
std::string formatNumber(double value, std::string_view pattern);
std::string formatNumber(Currency value, std::string_view pattern);
// VB's named formats of numbers under the Brazilian settings: "General Number" (1234,5),
// "Currency" (R$ 1.234,50), "Fixed" (1234,50), "Standard" (1.234,50), "Percent" (123450,00%), and
// "Yes/No", "True/False", "On/Off" in a Portuguese installation's words (Sim/Não,
// Verdadeiro/Falso, Ativado/Desativado). Nothing when name is none of them (case-insensitive).
bool isNamedNumberFormat(std::string_view name);
std::optional<std::string> formatNamed(double value, std::string_view name);
std::optional<std::string> formatNamed(Currency value, std::string_view name);
// The date pattern of a named date format ("Long Date", "Medium Date", "Short Date", "Long Time",
// "Short Time") under the Brazilian settings; nothing for other names. "General Date" is the
// regional text of the date (Date::toRegionalText).
std::optional<std::string_view> namedDatePattern(std::string_view name);
// ICU's Portuguese month (1 = janeiro) and weekday (1 = domingo) names; the abbreviations without
// a final period ("dez", "sáb"), as Windows writes them.
const std::string& monthName(int month, bool abbreviated);
const std::string& weekdayName(int weekday, bool abbreviated);

// Jet/VB Val: blanks (spaces, tabs, line ends) skipped everywhere, stops at the first other
// character; reads an exponent (1e3, 1.5D-2) and the &H and &O prefixes (&HFF is 255, &HFFFF is -1
// as an Integer). A number beyond a double is error 6.
double val(std::string_view text);

// VB Trim/LTrim/RTrim (spaces only).
std::string_view trim(std::string_view text);

// Reads a number written with "." as the decimal point ("-12.5", "1e3"), whatever the process
// locale; nothing unless the whole text is that number.
std::optional<double> plainDecimal(std::string_view text);

// Reads a number as VB does under the regional settings; nothing when it is not numeric.
std::optional<double> parseNumber(std::string_view text);
// The same number as plain decimal text ("-1234.5"), nothing lost on the way.
std::optional<std::string> decimalText(std::string_view text);
// The same number as an amount, without a double between; overflow is error 6.
std::optional<Currency> parseCurrency(std::string_view text);

}  // namespace zelt::regional
