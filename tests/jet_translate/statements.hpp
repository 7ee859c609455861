#pragma once
// The statements the component writes, from its own builders; the animal search from the pieces it is
// built of.
#include <string>

#include "clientanim/animals/colunas_da_selecao.hpp"
#include "clientanim/animals/condicoes_dos_animais.hpp"
#include "clientanim/animals/instrucoes_de_gravacao.hpp"
#include "clientanim/clients/declaracoes_do_cliente.hpp"
#include "clientanim/frame/condicoes_de_clientes.hpp"
#include "clientanim/clientanim/comando_de_listagem.hpp"
#include "clientanim/clients/estatisticas_instrucoes.hpp"
#include "clientanim/clients/selecao_instrucao.hpp"
#include "clientanim/frame/texto_seguro.hpp"
#include "zelt/components/texttreatment.hpp"

namespace statements {

namespace ca = zelt::clientanim;

inline std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

inline bool numeric(const std::string& v) { return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos; }

struct AnimalSearch {
    int situacao = 0;         // 0 all, 1 active, 2 inactive
    int vivoOuMorto = 1;      // 1 living, 2 dead, 3 both
    std::string valor;        // code or name to search; empty: none
    std::string codigoDoCliente = "0";
    std::string dataInicial, dataFinal;
    int tipoDeData = 0;       // 2 inclusion, 3 birthdays
};

inline std::string animalSelection(const AnimalSearch& a) {
    namespace an = ca::animais;
    std::string s = "          SELECT ";
    for (std::string_view c : an::colunasDaSelecao()) s += c;
    s += "FROM      ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN EspeciesDeAnimais ON "
         "Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON Animais.CodigoDaRaca = "
         "RacasDeAnimais.Codigo WHERE " + an::situacaoDosAnimais(a.situacao) + "AND " + an::animalVivoOuMorto(a.vivoOuMorto);
    const bool birthdays = !a.dataInicial.empty() && a.tipoDeData == 3;
    if (!a.valor.empty()) {
        s += ca::condicoes::codigoOuNomeDoAnimal(zelt::Variant(a.valor), a.valor);
    } else if (!a.dataInicial.empty() && a.tipoDeData == 2) {
        s += " AND Animais.DataEHoraDaInclusao Between #" + an::dataMesPrimeiro(a.dataInicial, "MM/DD/YYYY") + " 00:00:00# AND #" +
             an::dataMesPrimeiro(a.dataFinal, "MM/DD/YYYY") + " 23:59:59# ";
    } else if (birthdays) {
        s += " AND ((Day(Animais.DataDeNascimento)>=" + an::digitosDaData(a.dataInicial, 1) + " AND Day(Animais.DataDeNascimento)<= " +
             an::digitosDaData(a.dataFinal, 1) + ") AND (Month(Animais.DataDeNascimento)>= " + an::digitosDaData(a.dataInicial, 4) +
             " AND Month(Animais.DataDeNascimento)<=" + an::digitosDaData(a.dataFinal, 4) + ")) ";
    }
    if (a.codigoDoCliente != "0") s += " AND Animais.CodigoDoCliente = " + a.codigoDoCliente + " ";
    return s + "ORDER BY " + (birthdays ? "   Day(Animais.DataDeNascimento) , Month(Animais.DataDeNascimento) ASC;" : "   Animais.Nome ASC;");
}

struct ClientSearch {
    int16_t situacao = 0;  // 0 all ... 5 recent
    bool administrador = false;
    int16_t tamanhoDaPagina = 20;
    std::string valor, nome, codigo = "0", logradouro, dataInicial, dataFinal, animal;
    int16_t tipoDeData = 0;
};

// An empty text is an omitted argument.
inline zelt::Variant given(const std::string& v) { return v.empty() ? zelt::Variant() : zelt::Variant(v); }

inline std::string clientSelection(const ClientSearch& c) {
    return ca::clientes::montarSelecaoDeClientes({c.tamanhoDaPagina, c.situacao, given(c.valor), c.nome, std::stod(c.codigo),
                                                  c.logradouro, c.dataInicial, c.dataFinal, c.tipoDeData, given(c.animal)},
                                                 c.administrador, ca::textoSeguro);
}

inline std::string listing(const ClientSearch& c) {
    return ca::montarComandoDeListagem({c.tamanhoDaPagina, c.situacao, c.administrador, given(c.valor), given(c.animal)});
}

inline std::string clientsByMonth(const std::string& ano) { return ca::clientes::montarContagemPorMes(ano); }
inline std::string clientsByYear(int16_t situacao, bool administrador) {
    return ca::clientes::montarSelecaoDosAnos(situacao, administrador);
}

// Its texts pass through the text treatment, as a caller's puts do.
inline std::string clientInsertion(const std::string& serverTime) {
    zelt::texttreatment::DllRegisterServer();
    auto c = zelt::make<ca::clsClientes>();
    c->put_TipoDeCliente("PF"), c->put_ApelidoOuNomeFantasia("Zé"), c->put_NomeOuRazaoSocial("José da Silva"), c->put_UF("SP");
    c->put_VIP(true), c->put_CategoriaDaCurvaABC("C"), c->put_Observacao("obs"), c->put_Situacao(1);
    c->put_LimiteDeCredito(zelt::Currency::fromDouble(1500.5)), c->put_PercentualUnicoDeDescontos(zelt::Currency::fromDouble(12.5));
    return ca::declaracoes::insercaoDoCliente(*c, {"Z000", "J200", serverTime, "ana"});
}

// An animal's insertion and alteration; a birth date that names no day is written Null.
inline std::string animalStatement(bool insertion, const std::string& nascimento, const std::string& serverTime) {
    const zelt::clientanim::RegistroDoAnimal r{15, 7, "Rex", "M", nascimento, 1, 2, "Grande", "Caramelo", "RGA1", "985", true, false,
                                               "bravo", 1};
    const zelt::Date time = *zelt::Date::parseRegional(serverTime);
    return insertion ? ca::animais::instrucaoDeInclusao(r, time, "ana") : ca::animais::instrucaoDeAlteracao(r, time, "ana");
}

}  // namespace statements
