#include "clientanim/clientanim/comando_de_listagem.hpp"

#include <array>

#include "clientanim/frame/condicoes_de_clientes.hpp"
#include "clientanim/frame/texto_seguro.hpp"

namespace zelt::clientanim {

namespace {

constexpr std::array ColunasDosClientes = {
    "        Clientes.Codigo AS CodigoDoCliente, ",
    "        Clientes.ApelidoOuNomeFantasia As ApelidoOuNomeFantasiaDoCliente, ",
    "        Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente, ",
    "        IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), "
    "Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', "
    "'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS "
    "NomeDaSituacaoDoCliente ",
};

constexpr std::array ColunasDosAnimais = {
    "           Animais.Codigo AS CodigoDoAnimal, ",
    "           Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais, ",
    "           Animais.Nome As NomeDoAnimal, ",
    "           EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal, ",
    "           RacasDeAnimais.Nome As NomeDaRacaDoAnimal, ",
    "           IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacaoDoAnimal, ",
    "           Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, ",
    "           IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, ",
    "           Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, ",
    "           IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao ",
};

std::string situacaoDosAnimais(int16_t filtro) {
    if (filtro == 1) return "   Animais.Situacao=1 ";
    if (filtro == 2) return "   Animais.Situacao=2 ";
    return "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
}

}  // namespace

std::string montarComandoDeListagem(const ArgumentosDaListagem& a) {
    const bool recentes = a.situacao == 5;
    const bool comAnimal = a.codigoOuNomeDoAnimal.isGiven();
    const std::string condicaoDoAnimal =
        comAnimal ? condicoes::codigoOuNomeDoAnimal(a.codigoOuNomeDoAnimal, textoSeguro(a.codigoOuNomeDoAnimal)) : "";

    std::string s = "           SHAPE ";
    s += "     { ";
    s += recentes ? " SELECT TOP " + std::to_string(a.tamanhoDaPagina) + " " : std::string(" SELECT ");
    for (const char* c : ColunasDosClientes) s += c;
    s += "     FROM ";
    s += comAnimal ? "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo " : "   Clientes ";
    s += "WHERE ";
    s += condicoes::situacaoDosClientes(a.situacao, a.administrador);
    if (a.codigoOuNome.isGiven()) s += condicoes::codigoOuNomeDoCliente(a.codigoOuNome, textoSeguro(a.codigoOuNome));
    s += condicaoDoAnimal;
    s += "     ORDER BY ";
    s += recentes ? "   Clientes.Codigo DESC" : "   Clientes.NomeOuRazaoSocial ASC";
    s += "     } AS Clientes ";
    s += "     APPEND ";
    s += "     ( ";
    s += "        { ";
    s += "        SELECT ";
    for (const char* c : ColunasDosAnimais) s += c;
    s += "        FROM ";
    s += "           EspeciesDeAnimais INNER JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = "
         "Animais.CodigoDaRaca) ON (EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND "
         "(EspeciesDeAnimais.Codigo = Animais.CodigoDaEspecie) ";
    s += "WHERE ";
    s += situacaoDosAnimais(a.situacao);
    s += condicaoDoAnimal;
    s += "        ORDER BY ";
    s += recentes ? "   Animais.Codigo DESC" : "   Animais.Nome ASC";
    s += "        } ";
    s += "        RELATE ";
    s += "           CodigoDoCliente TO CodigoDoClienteDeAnimais";
    s += "      ) AS Animais ";
    return s;
}

}  // namespace zelt::clientanim
