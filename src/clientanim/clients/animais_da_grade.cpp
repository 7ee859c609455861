#include "clientanim/clients/animais_da_grade.hpp"

#include "clientanim/frame/valores_sql.hpp"
#include "zelt/automation/dispatch.hpp"
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
    v += celula(grade, 3) + ", ";
    v += celula(grade, 5) + ", ";
    v += tratada(8);
    v += tratada(9);
    const std::string nascimento = celula(grade, 10);
    v += isDate(Variant(nascimento)) ? "'" + nascimento + "'," : std::string("Null,");
    v += tratada(11);
    v += tratada(12);
    v += simOuNao(grade, 13);
    v += simOuNao(grade, 14);
    v += tratada(15);
    v += celula(grade, 16) + ", ";
    v += "'" + carimbo.dataHora + "', ";
    v += "'" + carimbo.usuario + "');";
    return std::string("INSERT INTO Animais (") + ColunasDoAnimal + ") " + "VALUES (" + v;
}

}  // namespace zelt::clientanim::grade
