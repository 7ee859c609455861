// The rules ValidarDados tests, in their order, for insertion and alteration alike.
#include <functional>

#include "ambiente.hpp"

namespace teste {
namespace {

using Validacao = Ambiente;

TEST_F(Validacao, EachRuleInItsOrder) {
    const std::string Invalida = "Data de nascimento inválida.";
    const std::string amanha = Date(Date::today().serial() + 1).format("dd/mm/yyyy");
    struct Caso {
        const char* nome;
        std::function<void(clsAnimais&)> ajuste;
        const char* campo = "";  // empty: the record passes
        std::string mensagem = "";
    };
    const std::vector<Caso> casos{
        {"valido", [](clsAnimais&) {}},
        {"nome antes de tudo", [](clsAnimais& a) { a.put_Nome("   "); a.put_CodigoDaEspecie(-1); a.put_Sexo(""); },
         "Nome", "Digite o nome do animal."},
        {"especie antes da raca", [](clsAnimais& a) { a.put_CodigoDaEspecie(-1); a.put_CodigoDaRaca(-1); },
         "CodigoDaEspecie", "Informe a espécie do animal."},
        {"raca", [](clsAnimais& a) { a.put_CodigoDaRaca(-1); }, "CodigoDaRaca", "Informe a raça do animal."},
        {"nunca escolhidas nao sao -1", [](clsAnimais& a) { a.put_CodigoDaEspecie(0); a.put_CodigoDaRaca(0); }},
        {"nascimento amanha", [&](clsAnimais& a) { a.put_DataDeNascimento(amanha); }, "DataDeNascimento", Invalida},
        {"dia inexistente", [](clsAnimais& a) { a.put_DataDeNascimento("31/02/2024"); }, "DataDeNascimento", Invalida},
        {"nao e data", [](clsAnimais& a) { a.put_DataDeNascimento("ontem"); }, "DataDeNascimento", Invalida},
        {"nascido hoje", [](clsAnimais& a) { a.put_DataDeNascimento(Date::today().format("dd/mm/yyyy")); }},
        {"29 de fevereiro", [](clsAnimais& a) { a.put_DataDeNascimento("29/02/2024"); }},
        {"nascimento em branco e Null", [](clsAnimais& a) { a.put_DataDeNascimento("  "); }},
        {"sexo antes da situacao", [](clsAnimais& a) { a.put_Sexo(" "); a.put_Situacao(-1); }, "Sexo",
         "Selecione o sexo do animal."},
        {"situacao", [](clsAnimais& a) { a.put_Situacao(-1); }, "Situacao", "Informe a situação do animal."}};
    for (const Caso& k : casos)
        for (int16_t operacao : {1, 2}) {
            SCOPED_TRACE(std::string(k.nome) + " " + std::to_string(operacao));
            auto a = animal(inserirCliente("Ana"), "Rex");
            k.ajuste(*a);
            EXPECT_EQ(a->ValidarDados(operacao, nullptr, nullptr), *k.campo ? 2 : 0);
            EXPECT_EQ(a->get_NomeDoCampoValidado(), k.campo);
            EXPECT_EQ(a->get_DescricaoDaFalha(), k.mensagem);
        }
}

TEST_F(Validacao, OtherOperationsCheckNothingAndKeepTheLastRefusal) {
    auto a = animal(0, "");
    EXPECT_EQ(a->ValidarDados(1, nullptr, nullptr), 2);
    EXPECT_EQ(a->ValidarDados(0, nullptr, nullptr), 0);
    EXPECT_EQ(a->ValidarDados(4, nullptr, nullptr), 0);
    EXPECT_EQ(a->get_NomeDoCampoValidado(), "Nome");
    EXPECT_EQ(a->get_DescricaoDaFalha(), "Digite o nome do animal.");
    // A deletion counts the references, which needs a connection.
    EXPECT_EQ(a->ValidarDados(3, nullptr, nullptr), 1);
    EXPECT_EQ(a->get_NumeroDoErro(), err::ObjectVariableNotSet);
    EXPECT_EQ(a->get_LocalDoErro(), "ZELT_N_ClientAnim, clsAnimais, ValidarDados, Ponto: 8");
}

}  // namespace
}  // namespace teste
