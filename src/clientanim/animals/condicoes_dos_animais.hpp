#pragma once
// The conditions the animal selections share. An argument outside its values is refused here,
// while the statement is built, so nothing invalid reaches the database.
#include <string>
#include <string_view>

namespace zelt::clientanim::animais {

// "   (Animais.Situacao=1 OR Animais.Situacao=2) " and the like, for 0 to 2 (error 5 otherwise).
std::string situacaoDosAnimais(int16_t lintSituacaoParaFiltro);
// "   Animais.AnimalMorto = False " and the like, for 1 to 3 (error 5 otherwise, also for an omitted 0).
std::string animalVivoOuMorto(int16_t lintAnimalVivoOuMorto);

// A regional date text (day first) rewritten in a Jet literal's month-first order; error 13 when
// it names no date.
std::string dataMesPrimeiro(const std::string& texto, std::string_view padrao);
// Characters `inicio` and `inicio`+1 (1-based) of a "dd/mm/yyyy" text, which must be digits (error 13).
std::string digitosDaData(const std::string& texto, size_t inicio);

}  // namespace zelt::clientanim::animais
