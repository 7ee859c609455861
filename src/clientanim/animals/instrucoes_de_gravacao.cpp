#include "clientanim/animals/instrucoes_de_gravacao.hpp"

#include "clientanim/frame/valores_sql.hpp"

namespace zelt::clientanim::animais {

using sql::booleano;
using sql::numero;

std::string instrucaoDeInclusao(const RegistroDoAnimal& r, Date servidor, const std::string& usuario) {
    std::string s = "INSERT INTO Animais (";
    s += "CodigoDoCliente,";
    s += "Nome,";
    s += "Sexo,";
    s += "CodigoDaEspecie,";
    s += "CodigoDaRaca,";
    s += "Porte,";
    s += "DataDeNascimento,";
    s += "Cor,";
    s += "RGA,";
    s += "Microchip,";
    s += "Pedigree,";
    s += "AnimalMorto,";
    s += "Observacao,";
    s += "Situacao,";
    s += "DataEHoraDaInclusao,";
    s += "UsuarioDaInclusao)";
    s += " VALUES(";
    s += numero(r.codigoDoCliente) + ",";
    s += "'" + r.nome + "',";
    s += "'" + r.sexo + "',";
    s += numero(r.codigoDaEspecie) + ",";
    s += numero(r.codigoDaRaca) + ",";
    s += "'" + r.porte + "',";
    s += r.temDataDeNascimento() ? "'" + r.dataDeNascimento + "'," : std::string("Null,");
    s += "'" + r.cor + "',";
    s += "'" + r.rga + "',";
    s += "'" + r.microchip + "',";
    s += booleano(r.pedigree) + ",";
    s += booleano(r.animalMorto) + ",";
    s += "'" + r.observacao + "',";
    s += numero(int32_t{r.situacao}) + ", ";
    s += "'" + sql::dataHora(servidor) + "',";
    s += "'" + usuario + "');";
    return s;
}

std::string instrucaoDeAlteracao(const RegistroDoAnimal& r, Date servidor, const std::string& usuario) {
    std::string s = "UPDATE Animais SET ";
    s += "Nome='" + r.nome + "',";
    s += "Sexo='" + r.sexo + "',";
    s += "CodigoDoCliente=" + numero(r.codigoDoCliente) + ",";
    s += "CodigoDaEspecie=" + numero(r.codigoDaEspecie) + ",";
    s += "CodigoDaRaca=" + numero(r.codigoDaRaca) + ",";
    s += "Porte='" + r.porte + "',";
    s += "Cor='" + r.cor + "',";
    s += r.temDataDeNascimento() ? "DataDeNascimento='" + r.dataDeNascimento + "'," : std::string("DataDeNascimento=Null,");
    s += "RGA='" + r.rga + "',";
    s += "Microchip='" + r.microchip + "',";
    s += "Pedigree=" + booleano(r.pedigree) + ",";
    s += "AnimalMorto=" + booleano(r.animalMorto) + ",";
    s += "Observacao='" + r.observacao + "',";
    s += "Situacao=" + numero(int32_t{r.situacao}) + ", ";
    s += "DataEHoraDaAlteracao='" + sql::dataHora(servidor) + "', ";
    s += "UsuarioDaAlteracao='" + usuario + "' ";
    s += "WHERE Codigo=" + numero(r.codigo) + ";";
    return s;
}

}  // namespace zelt::clientanim::animais
