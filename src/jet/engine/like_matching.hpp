#pragma once
// Jet's LIKE as ADO writes it (ANSI mode): '%' any run of characters, '_' one character, and the
// bracket lists: [abc] one of them, [a-c] one in the range, [!a-c] one not among them; inside
// brackets '%', '_' and '[' are themselves ([%], [_], [[]), and [] matches nothing at all.
// Characters are UTF-8 code points compared case-insensitively in Portuguese, accents kept apart;
// a range is bounded as the Portuguese collation orders (so [a-c] holds B and á, not d). A '['
// that no ']' closes is itself.
#include <string_view>

namespace zelt::jet::engine {

bool likeMatches(std::string_view pattern, std::string_view value);

}  // namespace zelt::jet::engine
