#pragma once
// How the library's functions read their arguments, as VBA coerces them.
#include <cstdint>
#include <string>

#include "jet/library/library.hpp"

namespace zelt::jet::library {

inline bool given(Arguments a, size_t i) { return i < a.size() && !a[i].isEmpty(); }
// Any Null among the arguments.
bool anyNull(Arguments a);
// Error 94 when v is Null.
const Variant& notNull(const Variant& v);
// CStr under the regional settings: "1,5", dates day first, Booleans in Portuguese.
std::string regionalText(const Variant& v);
// A whole number as VBA's Long parameters take it (half to even; 6 beyond a Long; Null is 94).
int32_t wholeNumber(const Variant& v);
// A count or position that may not be negative (5 otherwise).
int32_t count(const Variant& v);
// A comparison mode (0 binary, 1 text); Jet compares text case-insensitively unless told.
bool binaryCompare(Arguments a, size_t i);

// Characters of UTF-8 text.
size_t characters(std::string_view s);
// The byte offset of character n (0-based), or the size when s has fewer.
size_t offsetOf(std::string_view s, size_t n);

}  // namespace zelt::jet::library
