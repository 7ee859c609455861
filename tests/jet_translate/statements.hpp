#pragma once
// The statements the component writes: its selections from its own builders, the animal search and
// the insertions as it writes them.
#include <string>

#include "clientanim/animals/colunas_da_selecao.hpp"
#include "clientanim/clientanim/comando_de_listagem.hpp"
#include "clientanim/clients/estatisticas_instrucoes.hpp"
#include "clientanim/clients/selecao_instrucao.hpp"
#include "clientanim/frame/texto_seguro.hpp"

namespace statements {

namespace ca = zelt::clientanim;

inline std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

inline bool numeric(const std::string& v) { return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos; }

// Dates "dd/mm/yyyy" rewritten month first.
inline std::string monthFirst(const std::string& d) { return d.substr(3, 2) + "/" + d.substr(0, 2) + "/" + d.substr(6, 4); }

struct AnimalSearch {
    int situacao = 0;         // 0 all, 1 active, 2 inactive
    int vivoOuMorto = 1;      // 1 living, 2 dead, 3 both
    std::string valor;        // code or name to search; empty: none
    std::string codigoDoCliente = "0";
    std::string dataInicial, dataFinal;
    int tipoDeData = 0;       // 2 inclusion, 3 birthdays
};

inline std::string animalSelection(const AnimalSearch& a) {
    std::string s = "          SELECT ";
    for (std::string_view c : ca::animais::colunasDaSelecao()) s += c;
    s += "FROM  ";
    s += "    ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN EspeciesDeAnimais ON "
         "Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON Animais.CodigoDaRaca = "
         "RacasDeAnimais.Codigo ";
    s += "WHERE ";
    if (a.situacao == 0) s += "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
    if (a.situacao == 1) s += "   Animais.Situacao=1 ";
    if (a.situacao == 2) s += "   Animais.Situacao=2 ";
    s += "AND ";
    if (a.vivoOuMorto == 1) s += "   Animais.AnimalMorto = False ";
    if (a.vivoOuMorto == 2) s += "   Animais.AnimalMorto = True ";
    if (a.vivoOuMorto == 3) s += "(Animais.AnimalMorto = False  OR Animais.AnimalMorto = True) ";
    if (!a.valor.empty()) {
        s += numeric(a.valor) ? " AND (Animais.Codigo = " + a.valor + " " : " AND (Animais.Nome LIKE '%" + a.valor + "%' ";
        s += " OR Animais.Microchip LIKE '%" + a.valor + "%') ";
    } else if (!a.dataInicial.empty() && a.tipoDeData == 2) {
        s += " AND Animais.DataEHoraDaInclusao Between #" + monthFirst(a.dataInicial) + " 00:00:00# AND #" +
             monthFirst(a.dataFinal) + " 23:59:59# ";
    } else if (!a.dataInicial.empty() && a.tipoDeData == 3) {
        s += " AND ((Day(Animais.DataDeNascimento)>=" + a.dataInicial.substr(0, 2) +
             " AND Day(Animais.DataDeNascimento)<= " + a.dataFinal.substr(0, 2) +
             ") AND (Month(Animais.DataDeNascimento)>= " + a.dataInicial.substr(3, 2) +
             " AND Month(Animais.DataDeNascimento)<=" + a.dataFinal.substr(3, 2) + ")) ";
    }
    if (a.codigoDoCliente != "0") s += " AND Animais.CodigoDoCliente = " + a.codigoDoCliente + " ";
    s += "ORDER BY ";
    s += !a.dataInicial.empty() && a.tipoDeData == 3 ? "   Day(Animais.DataDeNascimento) , Month(Animais.DataDeNascimento) ASC"
                                                    : "   Animais.Nome ASC";
    return s + ";";
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

// The client insertion of a new registration: 55 columns, each value with its closing piece.
inline std::string clientInsertion(const std::string& serverTime) {
    return "INSERT INTO Clientes ("
           "TipoDeCliente,ApelidoOuNomeFantasia,ApelidoOuNomeFantasiaSoundex,NomeOuRazaoSocial,NomeOuRazaoSocialSoundex,"
           "Sexo,DataDeNascimento,AnoDeNascimento,CPFCNPJ,RGIE,CEP,TipoDeLogradouro,Logradouro,Numero,Complemento,Bairro,"
           "Cidade,CodigoIBGEDoMunicipio,UF,VIP,CategoriaDaCurvaABC,EndCobCEP,EndCobTipoDeLogradouro,EndCobLogradouro,"
           "EndCobNumero,EndCobComplemento,EndCobBairro,EndCobCidade,EndCobUF,TipoDeCanalDeComunicacao1,CanalDeComunicacao1,"
           "TipoDeCanalDeComunicacao2,CanalDeComunicacao2,TipoDeCanalDeComunicacao3,CanalDeComunicacao3,"
           "TipoDeCanalDeComunicacao4,CanalDeComunicacao4,Profissao,Observacao,LimiteDeCredito,MotivoDaSituacao,"
           "ClienteComDesconto,DescontoUnico,PercentualUnicoDeDescontos,PercentualDeDescontoEmClinicos,"
           "PercentualDeDescontoEmCirurgiaSimples,PercentualDeDescontoEmCirurgiaMedia,"
           "PercentualDeDescontoEmCirurgiaComplexa,PercentualDeDescontoEmBanhosTosasEEsteticas,"
           "PercentualDeDescontoEmHospedagens,PercentualDeDescontoEmAdestramentos,PercentualDeDescontoEmOutros,Situacao,"
           "DataEHoraDaInclusao,UsuarioDaInclusao) VALUES("
           "'PF','Zé','Z000','José da Silva','J200','M','2503','1980','01234567890','123','01310100','Rua','Paulista','1000',"
           "'ap 1','Bela Vista','São Paulo','3550308','SP',True, 'C','','','','','','','','','Email','ze@example.com',"
           "'Celular','11 99999-0000','','','','','Vet','obs',1500.5, '', False, False, " +
           statements::repeated("12.5, ", 9) + "1, '" + serverTime + "', 'ana');";
}

// The single animal insertion, and the one of a registration's grid (other order and pieces).
inline std::string animalInsertion(const std::string& nascimento, const std::string& serverTime) {
    std::string s = "INSERT INTO Animais (CodigoDoCliente,Nome,Sexo,CodigoDaEspecie,CodigoDaRaca,Porte,DataDeNascimento,Cor,"
                    "RGA,Microchip,Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES(";
    s += "7,'Rex','M',1,2,'Grande',";
    s += nascimento.empty() ? std::string("Null,") : "'" + nascimento + "',";
    s += "'Caramelo','RGA1','985',True,False,'bravo',1, '" + serverTime + "','ana');";
    return s;
}

inline std::string gridAnimalInsertion(const std::string& especie, const std::string& nascimento,
                                       const std::string& serverTime) {
    std::string s = "INSERT INTO Animais (Nome,Sexo,CodigoDoCliente,CodigoDaEspecie,CodigoDaRaca,Porte,Cor,DataDeNascimento,"
                    "RGA,Microchip,Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES (";
    s += "'Mia','F',12," + especie + ", 3, 'Pequeno','Branca',";
    s += nascimento.empty() ? std::string("Null,") : "'" + nascimento + "',";
    s += "'','',False,False,'',1, '" + serverTime + "', 'ana');";
    return s;
}

inline std::string animalAlteration(const std::string& nascimento, const std::string& serverTime) {
    std::string s = "UPDATE Animais SET Nome='Rex',Sexo='M',CodigoDoCliente=7,CodigoDaEspecie=1,CodigoDaRaca=2,";
    s += "Porte='Grande',Cor='Caramelo',";
    s += nascimento.empty() ? std::string("DataDeNascimento=Null,") : "DataDeNascimento='" + nascimento + "',";
    s += "RGA='RGA1',Microchip='985',Pedigree=True,AnimalMorto=False,Observacao='bravo',Situacao=1, ";
    s += "DataEHoraDaAlteracao='" + serverTime + "', UsuarioDaAlteracao='ana' WHERE Codigo=15;";
    return s;
}

}  // namespace statements
