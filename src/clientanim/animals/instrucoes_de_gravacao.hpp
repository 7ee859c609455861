#pragma once
// The INSERT and UPDATE texts of an animal record.
#include <string>

#include "clientanim/animals/registro_do_animal.hpp"
#include "zelt/automation/date.hpp"

namespace zelt::clientanim::animais {

std::string instrucaoDeInclusao(const RegistroDoAnimal& r, Date servidor, const std::string& usuario);
std::string instrucaoDeAlteracao(const RegistroDoAnimal& r, Date servidor, const std::string& usuario);

}  // namespace zelt::clientanim::animais
