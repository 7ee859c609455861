#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zelt::texttreatment {

// The words of a name as lower-case ASCII letters: case and diacritics folded away.
std::vector<std::string> foldedWords(std::string_view text);

}  // namespace zelt::texttreatment
