#pragma once
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim {

// A search value as it enters the listing command: its ordinary text form, with every single quote
// written as the typographic apostrophe that the register stores in its place. No value can then end
// the literal it stands in, and a search for D'Ávila finds the D’Ávila that was stored. A NUL, which
// would cut the command short and which no stored text holds, is dropped. The listing holds no
// text-treatment object, so it does these steps itself.
std::string valorDeBusca(const Variant& valor);

}  // namespace zelt::clientanim
