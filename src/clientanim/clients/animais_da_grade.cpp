#include "clientanim/clients/animais_da_grade.hpp"

#include <algorithm>

#include "clientanim/frame/valores_sql.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::grade {

namespace {

constexpr const char* ColunasDoAnimal =
    "Nome,Sexo,CodigoDoCliente,CodigoDaEspecie,CodigoDaRaca,Porte,Cor,DataDeNascimento,RGA,Microchip,Pedigree,"
    "AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao";

// The cell of the grid's current row, as the caller's grid is asked for it.
std::string celula(Object& grade, int16_t coluna) {
    const int16_t linha = getProperty(grade, "Row").toInt16();
    return getProperty(grade, "TextMatrix", {Variant(linha), Variant(coluna)}).toText();
}

bool inteiro(std::string_view t) {
    if (!t.empty() && t.front() == '-') t.remove_prefix(1);
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string celulaInteira(Object& grade, int16_t linha, int16_t coluna) {
    std::string t = celula(grade, coluna);
    if (!inteiro(t))
        throwError(err::TypeMismatch, "A célula da linha " + std::to_string(linha) + ", coluna " +
                                          std::to_string(coluna) +
                                          " da grade de animais deve conter um número inteiro; recebeu '" + t + "'.");
    return t;
}

std::string simOuNao(Object& grade, int16_t coluna) {
    return regional::toUpper(celula(grade, coluna)) == regional::toUpper("Sim") ? "True," : "False,";
}

}  // namespace

int16_t ultimaLinha(Object& grade) {
    return Variant(getProperty(grade, "Rows").toInt32() - 1).toInt16();
}

std::string insercaoDoAnimal(Object& grade, int16_t linha, const Carimbo& carimbo,
                             const std::function<std::string(const std::string&)>& tratar) {
    putProperty(grade, "Row", Variant(linha));
    auto tratada = [&](int16_t coluna) { return "'" + tratar(celula(grade, coluna)) + "',"; };

    std::string v;
    v += tratada(2);
    v += tratada(7);
    v += sql::numero(carimbo.codigoDoCliente) + ",";
    v += celulaInteira(grade, linha, 3) + ", ";
    v += celulaInteira(grade, linha, 5) + ", ";
    v += tratada(8);
    v += tratada(9);
    const std::string nascimento = celula(grade, 10);
    v += isDate(Variant(nascimento)) ? "'" + nascimento + "'," : std::string("Null,");
    v += tratada(11);
    v += tratada(12);
    v += simOuNao(grade, 13);
    v += simOuNao(grade, 14);
    v += tratada(15);
    v += celulaInteira(grade, linha, 16) + ", ";
    v += "'" + carimbo.dataHora + "', ";
    v += "'" + carimbo.usuario + "');";
    return std::string("INSERT INTO Animais (") + ColunasDoAnimal + ") " + "VALUES (" + v;
}

}  // namespace zelt::clientanim::grade
