#pragma once
// The animal record that a clsAnimais object carries between the caller's puts and its operations.
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim {

struct RegistroDoAnimal {
    double codigo = 0;
    double codigoDoCliente = 0;
    std::string nome, sexo, dataDeNascimento;  // texts as the text treatment returned them
    double codigoDaEspecie = 0;
    double codigoDaRaca = 0;
    std::string porte, cor, rga, microchip;
    bool pedigree = false;
    bool animalMorto = false;
    std::string observacao;
    int16_t situacao = 0;  // -1: no status chosen

    // The statements write the birth date only when it names a day; otherwise a Null.
    bool temDataDeNascimento() const { return isDate(Variant(dataDeNascimento)); }
};

}  // namespace zelt::clientanim
