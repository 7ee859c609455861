#pragma once
// Jet's LIKE in ANSI mode: '%' any run of characters, '_' one character, case-insensitive in
// Portuguese; characters are UTF-8 code points.
#include <string_view>

namespace zelt::jet::engine {

bool likeMatches(std::string_view pattern, std::string_view value);

}  // namespace zelt::jet::engine
