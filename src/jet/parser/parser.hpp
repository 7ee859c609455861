#pragma once
#include <string_view>

#include "jet/parser/ast.hpp"

namespace zelt::jet {

// The whole text must be one statement, with at most one ";" after it; anything else is a
// syntax error that says where. Names are resolved later, by the translator.
void parse(std::string_view text, ast::Tree& tree);

}  // namespace zelt::jet
