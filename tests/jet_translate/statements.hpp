#pragma once
// The statements the component writes, built from its fragments in its order.
#include <string>

#include "selection_columns.hpp"

namespace statements {

inline std::string columnList(const std::vector<ColumnText>& columns) {
    std::string out;
    for (const ColumnText& c : columns) out += c.text;
    return out;
}

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
    std::string s = "          SELECT " + columnList(animalSelectionColumns);
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
    int situacao = 0;  // 0 all ... 5 recent
    bool administrador = false;
    int tamanhoDaPagina = 20;
    std::string valor, nome, codigo = "0", logradouro, dataInicial, dataFinal, animal;
    int tipoDeData = 0;
};

inline std::string clientStatus(const ClientSearch& c) {
    if (c.situacao == 0 || c.situacao == 5)
        return c.administrador
                   ? "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) "
                   : "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3) ";
    return "   (Clientes.Situacao=" + std::to_string(c.situacao) + ") ";
}

inline std::string generalSearch(const std::string& v) {
    if (numeric(v) && (v.size() == 11 || v.size() == 14))
        return " AND (Clientes.Codigo = " + v + " " + " OR Clientes.CPFCNPJ LIKE '%" + v + "%') ";
    if (numeric(v)) return " AND (Clientes.Codigo = " + v + ") ";
    return " AND (Clientes.ApelidoOuNomeFantasia LIKE '%" + v + "%' " + " OR Clientes.NomeOuRazaoSocial LIKE '%" + v +
           "%' " + " OR Clientes.Logradouro LIKE '%" + v + "%') ";
}

inline std::string animalCondition(const std::string& a) {
    std::string s = numeric(a) ? " AND (Animais.Codigo = " + a + " " : " AND (Animais.Nome LIKE '%" + a + "%' ";
    return s + " OR Animais.Microchip LIKE '%" + a + "%') ";
}

inline std::string monthDay(const std::string& d) { return std::to_string(std::stoi(d.substr(3, 2) + d.substr(0, 2))); }

inline std::string clientSelection(const ClientSearch& c) {
    std::string s = c.situacao == 5 ? "SELECT TOP " + std::to_string(c.tamanhoDaPagina) + " " : "SELECT ";
    s += columnList(clientSelectionColumns);
    s += "FROM  ";
    s += c.animal.empty() ? "   Clientes " : "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo ";
    s += "WHERE " + clientStatus(c);
    const bool birthdays = !c.dataInicial.empty() && c.tipoDeData == 3;
    // With the animal join both tables have the column: the client's is named with its table.
    const std::string nascimento = c.animal.empty() ? "DataDeNascimento" : "Clientes.DataDeNascimento";
    if (!c.valor.empty()) {
        s += generalSearch(c.valor);
        if (!c.animal.empty()) s += animalCondition(c.animal);
    } else if (!c.nome.empty()) {
        s += " AND (Clientes.ApelidoOuNomeFantasia LIKE '%" + c.nome + "%' " + " OR Clientes.NomeOuRazaoSocial LIKE '%" +
             c.nome + "%') ";
    } else if (c.codigo != "0") {
        s += " AND (Clientes.Codigo = " + c.codigo + ") ";
    } else if (!c.logradouro.empty()) {
        s += " AND (Clientes.Logradouro LIKE '%" + c.logradouro + "%') ";
    } else if (birthdays) {
        s += " AND (Val(Mid(" + nascimento + ", 3, 2) & Mid(" + nascimento + ", 1, 2)) >=" + monthDay(c.dataInicial) +
             " And Val(Mid(" + nascimento + ", 3, 2) & Mid(" + nascimento + ", 1, 2)) <= " + monthDay(c.dataFinal) + ") ";
    } else if (!c.dataInicial.empty() && c.tipoDeData == 2) {
        s += " AND Clientes.DataEHoraDaInclusao Between #" + monthFirst(c.dataInicial) + " 00:00:00# AND #" +
             monthFirst(c.dataFinal) + " 23:59:59# ";
    } else if (!c.animal.empty()) {
        s += animalCondition(c.animal);
    }
    s += "ORDER BY ";
    if (c.situacao == 5) s += "   Clientes.Codigo DESC";
    else if (birthdays) s += "   FORMAT(Val(Mid(" + nascimento + ",3,2) & Mid(" + nascimento + ",1,2)),\"0000\") , Clientes.NomeOuRazaoSocial ";
    else s += "   Clientes.NomeOuRazaoSocial ASC";
    return s + ";";
}

inline std::string listing(const ClientSearch& c) {
    std::string s = "           SHAPE     { ";
    s += c.situacao == 5 ? " SELECT TOP " + std::to_string(c.tamanhoDaPagina) + " " : " SELECT ";
    s += columnList(listingParentColumns);
    s += "     FROM ";
    s += c.animal.empty() ? "   Clientes " : "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo ";
    s += "WHERE " + clientStatus(c);
    if (!c.valor.empty()) s += generalSearch(c.valor);
    if (!c.animal.empty()) s += animalCondition(c.animal);
    s += "     ORDER BY ";
    s += c.situacao == 5 ? "   Clientes.Codigo DESC" : "   Clientes.NomeOuRazaoSocial ASC";
    s += "     } AS Clientes      APPEND      (         {         SELECT ";
    s += columnList(listingChildColumns);
    s += "        FROM ";
    s += "           EspeciesDeAnimais INNER JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = "
         "Animais.CodigoDaRaca) ON (EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND "
         "(EspeciesDeAnimais.Codigo = Animais.CodigoDaEspecie) ";
    s += "WHERE ";
    s += c.situacao == 1 ? "   Animais.Situacao=1 " : c.situacao == 2 ? "   Animais.Situacao=2 " : "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
    if (!c.animal.empty()) s += animalCondition(c.animal);
    s += "        ORDER BY ";
    s += c.situacao == 5 ? "   Animais.Codigo DESC" : "   Animais.Nome ASC";
    s += "        }         RELATE            CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais ";
    return s;
}

inline std::string clientsByMonth(const std::string& ano) {
    static const char* const months[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul", "Ago", "Set", "Out", "Nov", "Dez"};
    std::string s;
    for (int m = 1; m <= 12; ++m) {
        if (m > 1) s += "UNION ALL ";
        s += m == 1 ? "          SELECT " : "SELECT ";
        s += std::string("       '") + months[m - 1] + "' AS Mes, Count(*) AS NumeroDeClientes ";
        s += "FROM        Clientes WHERE ";
        s += "       (((Month([Clientes.DataEHoraDaInclusao]))=" + std::to_string(m) +
             ") AND ((Year([Clientes.DataEHoraDaInclusao]))=" + ano + ")) ";
    }
    return s + ";";
}

inline std::string clientsByYear(int situacao, bool administrador) {
    std::string s = "          SELECT        YEAR(Clientes.DataEHoraDaInclusao) AS Ano FROM        Clientes WHERE ";
    if (situacao == 0) {
        s += "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3) ";
        if (administrador) s += "   OR(Clientes.Situacao=4) ";
    } else if (situacao >= 1 && situacao <= 3) {
        s += "   Clientes.Situacao=" + std::to_string(situacao) + " ";
    }
    return s + "GROUP BY        YEAR(Clientes.DataEHoraDaInclusao)ORDER BY        YEAR(Clientes.DataEHoraDaInclusao);";
}

// The client insertion of a new registration: 55 columns, each value with its closing piece.
inline std::string clientInsertion(const std::string& serverTime, const std::string& limite = "1500.5") {
    const char* const columns[] = {
        "TipoDeCliente", "ApelidoOuNomeFantasia", "ApelidoOuNomeFantasiaSoundex", "NomeOuRazaoSocial",
        "NomeOuRazaoSocialSoundex", "Sexo", "DataDeNascimento", "AnoDeNascimento", "CPFCNPJ", "RGIE", "CEP",
        "TipoDeLogradouro", "Logradouro", "Numero", "Complemento", "Bairro", "Cidade", "CodigoIBGEDoMunicipio", "UF",
        "VIP", "CategoriaDaCurvaABC", "EndCobCEP", "EndCobTipoDeLogradouro", "EndCobLogradouro", "EndCobNumero",
        "EndCobComplemento", "EndCobBairro", "EndCobCidade", "EndCobUF", "TipoDeCanalDeComunicacao1",
        "CanalDeComunicacao1", "TipoDeCanalDeComunicacao2", "CanalDeComunicacao2", "TipoDeCanalDeComunicacao3",
        "CanalDeComunicacao3", "TipoDeCanalDeComunicacao4", "CanalDeComunicacao4", "Profissao", "Observacao",
        "LimiteDeCredito", "MotivoDaSituacao", "ClienteComDesconto", "DescontoUnico", "PercentualUnicoDeDescontos",
        "PercentualDeDescontoEmClinicos", "PercentualDeDescontoEmCirurgiaSimples", "PercentualDeDescontoEmCirurgiaMedia",
        "PercentualDeDescontoEmCirurgiaComplexa", "PercentualDeDescontoEmBanhosTosasEEsteticas",
        "PercentualDeDescontoEmHospedagens", "PercentualDeDescontoEmAdestramentos", "PercentualDeDescontoEmOutros",
        "Situacao", "DataEHoraDaInclusao", "UsuarioDaInclusao"};
    std::string s = "INSERT INTO Clientes (";
    for (size_t i = 0; i < 55; ++i) s += std::string(columns[i]) + (i < 54 ? "," : ")");
    s += " VALUES(";
    s += "'PF','Zé','Z000','José da Silva','J200','M','2503','1980','01234567890','123','01310100',";
    s += "'Rua','Paulista','1000','ap 1','Bela Vista','São Paulo','3550308','SP',";
    s += "True, 'C',";
    s += "'','','','','','','','',";
    s += "'Email','ze@example.com','Celular','11 99999-0000','','','','',";
    s += "'Vet','obs',";
    s += limite + ", ";
    s += "'', ";
    s += "False, False, ";
    for (int i = 0; i < 9; ++i) s += "12.5, ";
    s += "1, ";
    s += "'" + serverTime + "', ";
    return s + "'ana');";
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
