#pragma once
// The order text a caller gives the print and export list: only columns of that list.
#include <string>

namespace zelt::clientanim::animais {

// Refuses (error 5) a text that is not a comma-separated list of the list's columns, each named as
// Table.Column or by its alias; every term but the last may carry ASC or DESC (the
// statement itself writes the ASC of the last one).
void verificarOrdemDaImpressao(const std::string& ordem);

}  // namespace zelt::clientanim::animais
