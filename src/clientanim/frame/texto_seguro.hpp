#pragma once
// Texts that the component writes between single quotes although no text treatment passed them:
// the user's name and the search values of the combined listing.
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim {

// A value in its ordinary text form, under the text treatment's rule for a stored text: a single
// quote becomes the typographic apostrophe (U+2019), control characters (C0, DEL, C1, NUL among
// them) are dropped and an ill-formed UTF-8 sequence becomes U+FFFD. Nothing can then end the
// literal it is written in, and D'Ávila reads as the D’Ávila that the register stores. Null and
// Empty give the empty text, as they do when joined to a text.
std::string textoSeguro(const Variant& valor);

}  // namespace zelt::clientanim
