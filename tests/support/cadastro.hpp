#pragma once
// The seeded register: clients and animals written straight into the test's database with Jet
// literals, for tests that read them back through the component.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/ambiente.hpp"

namespace zelt::testing_support {

// Column names with Jet literals ("'0525'", "2", "'10/01/2024 08:00:00'") that add to or replace
// the defaults of a row.
using Colunas = std::vector<std::pair<std::string, std::string>>;

class Cadastro : public Ambiente {
protected:
    // A person with the name in both name columns, male, active, included on 01/03/2024. Its code.
    double inserirCliente(const std::string& nome, const Colunas& colunas = {}) {
        return inserir("Clientes", {{"TipoDeCliente", "'PF'"}, {"ApelidoOuNomeFantasia", "'" + nome + "'"},
                                    {"NomeOuRazaoSocial", "'" + nome + "'"}, {"Sexo", "'M'"}, {"Situacao", "1"},
                                    {"DataEHoraDaInclusao", "'01/03/2024 10:00:00'"}}, colunas);
    }
    // An active animal of species and breed 1. Its code.
    double inserirAnimal(double dono, const std::string& nome, const Colunas& colunas = {}) {
        return inserir("Animais", {{"Nome", "'" + nome + "'"}, {"CodigoDoCliente", Variant(dono).toText()},
                                   {"CodigoDaEspecie", "1"}, {"CodigoDaRaca", "1"}, {"Situacao", "1"}}, colunas);
    }

    // A receivable of the client; baixa the date settled, NULL while open.
    void receber(double cliente, const std::string& valor, const std::string& baixa = "NULL") {
        inserir("ContasAReceber", {{"CodigoDoCliente", Variant(cliente).toText()}, {"ValorDoDocumento", valor}, {"DataDaBaixa", baixa}}, {});
    }

private:
    double inserir(const std::string& tabela, std::map<std::string, std::string> literais, const Colunas& colunas) {
        for (const auto& [coluna, literal] : colunas) literais[coluna] = literal;
        std::string nomes, valores;
        for (const auto& [coluna, literal] : literais) nomes += ", " + coluna;
        for (const auto& [coluna, literal] : literais) valores += ", " + literal;
        sql("INSERT INTO " + tabela + " (" + nomes.substr(2) + ") VALUES (" + valores.substr(2) + ")");
        return valor("SELECT MAX(Codigo) FROM " + tabela).toDouble();
    }
};

}  // namespace zelt::testing_support
