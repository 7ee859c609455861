#pragma once
// The hand-written counterparts of the component's selections: the same rows and the same display
// texts, written directly for SQLite or PostgreSQL with their own functions instead of the Jet ones.
#include <sqlite3.h>

#include <cctype>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "seeded_database.hpp"
#include "zelt/jet/catalogue.hpp"

namespace zelt::bench {

// What the two servers spell differently.
struct RawDialect {
    std::string (*pad)(const std::string& digits, int width);  // a text of digits, zeros on the left
    std::string (*money)(const std::string& amount);           // "1234,50"
    std::string (*dateTime)(const std::string& column);        // "dd/mm/yyyy hh:mm:ss"
    std::string (*date)(const std::string& column);            // "dd/mm/yyyy"
    std::string (*contains)(const std::string& column, const std::string& text);  // case-insensitive
    std::string (*identifiers)(const std::string& sql);  // the schema's names as the server knows them
};

// SQLite keeps money as ten-thousandths and dates as days since 30/12/1899; its LIKE ignores the
// case of ASCII letters, which the searched text is.
inline const RawDialect SQLiteSql{
    [](const std::string& e, int n) { return "printf('%0" + std::to_string(n) + "d', CAST(" + e + " AS INTEGER))"; },
    [](const std::string& e) { return "replace(printf('%.2f', " + e + " / 10000.0), '.', ',')"; },
    [](const std::string& e) { return "strftime('%d/%m/%Y %H:%M:%S', " + e + " + 2415018.5)"; },
    [](const std::string& e) { return "strftime('%d/%m/%Y', " + e + " + 2415018.5)"; },
    [](const std::string& c, const std::string& t) { return c + " LIKE '%" + t + "%'"; },
    [](const std::string& sql) { return sql; },
};

// PostgreSQL: money numeric, dates timestamps, ILIKE under the deterministic pt-BR collation (the
// columns' case-insensitive one cannot match patterns), and the schema's names quoted.
inline std::string quotedSchemaNames(const std::string& sql) {
    static const std::set<std::string> names = [] {
        std::set<std::string> n;
        for (const jet::TableDef& t : jet::catalogue()) {
            n.insert(t.name);
            for (const jet::ColumnDef& c : t.columns) n.insert(c.name);
        }
        return n;
    }();
    std::string out;
    bool literal = false;
    for (size_t i = 0; i < sql.size();) {
        if (sql[i] == '\'') literal = !literal;
        if (literal || !std::isalpha(static_cast<unsigned char>(sql[i]))) {
            out += sql[i++];
            continue;
        }
        size_t end = i;
        while (end < sql.size() && std::isalnum(static_cast<unsigned char>(sql[end]))) ++end;
        const std::string word = sql.substr(i, end - i);
        out += names.count(word) ? '"' + word + '"' : word;
        i = end;
    }
    return out;
}

inline const RawDialect PostgresSql{
    [](const std::string& e, int n) { return "to_char(CAST(" + e + " AS bigint), 'FM" + std::string(static_cast<size_t>(n), '0') + "')"; },
    [](const std::string& e) { return "replace(to_char(" + e + ", 'FM999999999999990.00'), '.', ',')"; },
    [](const std::string& e) { return "to_char(" + e + ", 'DD/MM/YYYY HH24:MI:SS')"; },
    [](const std::string& e) { return "to_char(" + e + ", 'DD/MM/YYYY')"; },
    [](const std::string& c, const std::string& t) { return c + " COLLATE \"ptbr\" ILIKE '%" + t + "%'"; },
    quotedSchemaNames,
};

// A CEP column as "00000-000".
inline std::string rawCep(const RawDialect& d, const std::string& column) {
    const std::string digits = d.pad("C." + column, 8);
    return "CASE WHEN C." + column + " IS NULL OR C." + column + " = '' THEN '' ELSE substr(" + digits +
           ", 1, 5) || '-' || substr(" + digits + ", 6, 3) END";
}

// An amount of the client, "0,00" when it has none, over "Clientes AS C".
inline std::string moneyColumn(const RawDialect& d, const std::string& column) {
    return "CASE WHEN C." + column + " IS NULL THEN '0,00' ELSE " + d.money("C." + column) + " END AS " + column + ", ";
}

// The client's address in one line, without and with the CEP, over "Clientes AS C".
inline std::string rawFullAddresses(const RawDialect& d) {
    return std::string(
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompleto, ")+
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.CEP) <> '' THEN ' - CEP:' || " + rawCep(d, "CEP") + " ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompletoComCEP, ";
}

// The client's contacts in one line, over "Clientes AS C".
inline const std::string rawChannels =
    "CASE WHEN trim(C.CanalDeComunicacao1) <> '' THEN COALESCE(C.TipoDeCanalDeComunicacao1, '') || ' ' || C.CanalDeComunicacao1 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao2) <> '' THEN COALESCE(C.TipoDeCanalDeComunicacao2, '') || ' ' || C.CanalDeComunicacao2 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao3) <> '' THEN COALESCE(C.TipoDeCanalDeComunicacao3, '') || ' ' || C.CanalDeComunicacao3 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao4) <> '' THEN COALESCE(C.TipoDeCanalDeComunicacao4, '') || ' ' || C.CanalDeComunicacao4 ELSE '' END AS TiposECanaisDeComunicacao ";

// The 64 columns of the client list, over "Clientes AS C".
inline std::string rawClientColumns(const RawDialect& d) {
    return std::string("SELECT ") +
    "COALESCE(C.Codigo, 0) AS CodigoDoCliente, "
    "COALESCE(C.ApelidoOuNomeFantasia, '') AS ApelidoOuNomeFantasia, "
    "COALESCE(C.NomeOuRazaoSocial, '') AS NomeOuRazaoSocial, "
    "CASE WHEN C.CPFCNPJ IS NULL OR C.CPFCNPJ = '' THEN '' WHEN C.TipoDeCliente = 'PF' THEN substr(" + d.pad("C.CPFCNPJ", 11) + ", 1, 3) || '.' || substr(" + d.pad("C.CPFCNPJ", 11) + ", 4, 3) || '.' || substr(" + d.pad("C.CPFCNPJ", 11) + ", 7, 3) || '-' || substr(" + d.pad("C.CPFCNPJ", 11) + ", 10, 2) ELSE substr(" + d.pad("C.CPFCNPJ", 14) + ", 1, 2) || '.' || substr(" + d.pad("C.CPFCNPJ", 14) + ", 3, 3) || '.' || substr(" + d.pad("C.CPFCNPJ", 14) + ", 6, 3) || '/' || substr(" + d.pad("C.CPFCNPJ", 14) + ", 9, 4) || '-' || substr(" + d.pad("C.CPFCNPJ", 14) + ", 13, 2) END AS CPFCNPJ, "
    "COALESCE(C.TipoDeCliente, '') AS TipoDeCliente, "
    "COALESCE(C.Sexo, '') AS Sexo, "
    "CASE WHEN C.DataDeNascimento <> '' THEN substr(" + d.pad("C.DataDeNascimento", 4) + ", 1, 2) || '/' || substr(" + d.pad("C.DataDeNascimento", 4) + ", 3, 2) || CASE WHEN C.AnoDeNascimento <> '' THEN '/' || C.AnoDeNascimento ELSE '' END ELSE '' END AS DataDeNascimento, "
    "COALESCE(C.AnoDeNascimento, '') AS AnoDeNascimento, "
    "COALESCE(C.RGIE, '') AS RGIE, "
    "CASE WHEN C.VIP <> 0 THEN 'Sim' ELSE 'Não' END AS VIP, "
    "COALESCE(C.CategoriaDaCurvaABC, '') AS CategoriaDaCurvaABC, " +
    rawCep(d, "CEP") + " AS CEP, " +
    "COALESCE(C.TipoDeLogradouro, '') AS TipoDeLogradouro, "
    "COALESCE(C.Logradouro, '') AS Logradouro, "
    "COALESCE(C.Numero, '') AS Numero, "
    "COALESCE(C.Complemento, '') AS Complemento, "
    "COALESCE(C.Bairro, '') AS Bairro, "
    "COALESCE(C.Cidade, '') AS Cidade, "
    "COALESCE(C.CodigoIBGEDoMunicipio, '') AS CodigoIBGEDoMunicipio, "
    "COALESCE(C.UF, '') AS UF, " +
    rawCep(d, "EndCobCEP") + " AS EndCobCEP, " +
    "COALESCE(C.EndCobTipoDeLogradouro, '') AS EndCobTipoDeLogradouro, "
    "COALESCE(C.EndCobLogradouro, '') AS EndCobLogradouro, "
    "COALESCE(C.EndCobNumero, '') AS EndCobNumero, "
    "COALESCE(C.EndCobComplemento, '') AS EndCobComplemento, "
    "COALESCE(C.EndCobBairro, '') AS EndCobBairro, "
    "COALESCE(C.EndCobCidade, '') AS EndCobCidade, "
    "COALESCE(C.EndCobUF, '') AS EndCobUF, "
    "COALESCE(C.TipoDeCanalDeComunicacao1, '') AS TipoDeCanalDeComunicacao1, "
    "COALESCE(C.CanalDeComunicacao1, '') AS CanalDeComunicacao1, "
    "COALESCE(C.TipoDeCanalDeComunicacao2, '') AS TipoDeCanalDeComunicacao2, "
    "COALESCE(C.CanalDeComunicacao2, '') AS CanalDeComunicacao2, "
    "COALESCE(C.TipoDeCanalDeComunicacao3, '') AS TipoDeCanalDeComunicacao3, "
    "COALESCE(C.CanalDeComunicacao3, '') AS CanalDeComunicacao3, "
    "COALESCE(C.TipoDeCanalDeComunicacao4, '') AS TipoDeCanalDeComunicacao4, "
    "COALESCE(C.CanalDeComunicacao4, '') AS CanalDeComunicacao4, "
    "COALESCE(C.Profissao, '') AS Profissao, "
    "COALESCE(C.Observacao, '') AS Observacao, " +
    moneyColumn(d, "LimiteDeCredito") +
    "CASE WHEN C.DataDaUltimaCompra IS NULL THEN '' ELSE " + d.date("C.DataDaUltimaCompra") + " END AS DataDaUltimaCompra, " +
    moneyColumn(d, "ValorDaUltimaCompra") +
    moneyColumn(d, "Credito") +
    "COALESCE(C.MotivoDaSituacao, '') AS MotivoDaSituacao, "
    "CASE WHEN C.ClienteComDesconto <> 0 THEN 'Sim' ELSE 'Não' END AS ClienteComDesconto, "
    "CASE WHEN C.DescontoUnico <> 0 THEN 'Sim' ELSE 'Não' END AS DescontoUnico, " +
    moneyColumn(d, "PercentualUnicoDeDescontos") +
    moneyColumn(d, "PercentualDeDescontoEmClinicos") +
    moneyColumn(d, "PercentualDeDescontoEmCirurgiaSimples") +
    moneyColumn(d, "PercentualDeDescontoEmCirurgiaMedia") +
    moneyColumn(d, "PercentualDeDescontoEmCirurgiaComplexa") +
    moneyColumn(d, "PercentualDeDescontoEmBanhosTosasEEsteticas") +
    moneyColumn(d, "PercentualDeDescontoEmHospedagens") +
    moneyColumn(d, "PercentualDeDescontoEmAdestramentos") +
    moneyColumn(d, "PercentualDeDescontoEmOutros") +
    "COALESCE(C.Situacao, 1) AS Situacao, "
    "CASE WHEN C.Situacao IS NULL THEN 'Ativo' WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END AS NomeDaSituacao, " +
    d.dateTime("C.DataEHoraDaInclusao") + " AS DataEHoraDaInclusao, "
    "COALESCE(C.UsuarioDaInclusao, '') AS UsuarioDaInclusao, " +
    d.dateTime("C.DataEHoraDaAlteracao") + " AS DataEHoraDaAlteracao, "
    "COALESCE(C.UsuarioDaAlteracao, '') AS UsuarioDaAlteracao, " +
    rawFullAddresses(d) +
    "CASE WHEN trim(C.EndCobTipoDeLogradouro) <> '' THEN C.EndCobTipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.EndCobLogradouro) <> '' THEN C.EndCobLogradouro ELSE '' END || CASE WHEN trim(C.EndCobNumero) <> '' THEN ', ' || C.EndCobNumero ELSE '' END || CASE WHEN trim(C.EndCobComplemento) <> '' THEN ' - ' || C.EndCobComplemento ELSE '' END AS EnderecoDeCobrancaCompleto, " +
    rawChannels;
}

// The full client list, every status (the list an administrator sees).
inline std::string rawClientSelection(const RawDialect& d) {
    return d.identifiers(rawClientColumns(d) +
                         "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial");
}

// The list searched by a name: nickname, full name or street containing the text, ignoring case.
inline std::string rawClientNameSearch(const RawDialect& d, const std::string& name) {
    return d.identifiers(rawClientColumns(d) + "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) AND (" +
                         d.contains("C.ApelidoOuNomeFantasia", name) + " OR " + d.contains("C.NomeOuRazaoSocial", name) +
                         " OR " + d.contains("C.Logradouro", name) + ") ORDER BY C.NomeOuRazaoSocial");
}

// The register as a tree: the clients, then their animals, related by the client's code.
inline std::string rawShapeParent(const RawDialect& d) {
    return d.identifiers("SELECT C.Codigo, C.ApelidoOuNomeFantasia, C.NomeOuRazaoSocial, CASE WHEN C.Situacao IS NULL THEN 'Ativo' "
    "WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN "
    "C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' "
    "ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END "
    "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial");
}
inline std::string rawShapeChild(const RawDialect& d) {
    return d.identifiers(
        "SELECT A.Codigo, A.CodigoDoCliente, A.Nome, E.Nome, R.Nome, CASE WHEN A.Situacao = 1 THEN 'Ativo' ELSE 'Inativo' END, " +
    d.dateTime("A.DataEHoraDaInclusao") + ", COALESCE(A.UsuarioDaInclusao, ''), " +
    d.dateTime("A.DataEHoraDaAlteracao") + ", COALESCE(A.UsuarioDaAlteracao, '') "
    "FROM EspeciesDeAnimais AS E JOIN RacasDeAnimais AS R ON E.Codigo = R.CodigoDaEspecieDeAnimal "
    "JOIN Animais AS A ON R.Codigo = A.CodigoDaRaca AND E.Codigo = A.CodigoDaEspecie "
    "WHERE A.Situacao IN (1, 2) ORDER BY A.Nome");
}

// The 37 columns of the animal list with the owner's address and contacts, every status, living
// or dead, by name.
inline std::string rawAnimalSelection(const RawDialect& d) {
    return d.identifiers(std::string("SELECT ") +
    "COALESCE(A.Codigo, 0) AS CodigoDoAnimal, "
    "COALESCE(A.Nome, '') AS Nome, "
    "CASE WHEN A.Sexo IS NULL THEN 'F' WHEN A.Sexo = 'F' THEN 'Fêmea' WHEN A.Sexo = 'M' THEN 'Macho' END AS Sexo, "
    "COALESCE(A.CodigoDaEspecie, 0) AS CodigoDaEspecie, "
    "COALESCE(E.Nome, '') AS NomeDaEspecie, "
    "COALESCE(A.CodigoDaRaca, 0) AS CodigoDaRaca, "
    "COALESCE(R.Nome, '') AS NomeDaRaca, "
    "COALESCE(A.Porte, '') AS Porte, "
    "COALESCE(A.Cor, '') AS Cor, " +
    d.date("A.DataDeNascimento") + " AS DataDeNascimento, "
    "COALESCE(A.RGA, '') AS RGA, "
    "COALESCE(A.Microchip, '') AS Microchip, "
    "CASE WHEN A.Pedigree = 0 THEN 'Não' ELSE 'Sim' END AS Pedigree, "
    "CASE WHEN A.AnimalMorto = 0 THEN 'Não' ELSE 'Sim' END AS AnimalMorto, "
    "A.Observacao AS Observacao, "
    "COALESCE(A.Situacao, 1) AS Situacao, "
    "CASE WHEN A.Situacao = 1 THEN 'Ativo' ELSE 'Inativo' END AS NomeDaSituacao, " +
    d.dateTime("A.DataEHoraDaInclusao") + " AS DataEHoraDaInclusao, "
    "COALESCE(A.UsuarioDaInclusao, '') AS UsuarioDaInclusao, " +
    d.dateTime("A.DataEHoraDaAlteracao") + " AS DataEHoraDaAlteracao, "
    "COALESCE(A.UsuarioDaAlteracao, '') AS UsuarioDaAlteracao, "
    "COALESCE(C.Codigo, 0) AS CodigoDoCliente, "
    "COALESCE(C.ApelidoOuNomeFantasia, '') AS ApelidoOuNomeFantasia, "
    "COALESCE(C.NomeOuRazaoSocial, '') AS NomeOuRazaoSocial, "
    "COALESCE(C.Situacao, 1) AS SituacaoDoCliente, "
    "CASE WHEN C.VIP <> 0 THEN 'Sim' ELSE 'Não' END AS VIP, "
    "COALESCE(C.CategoriaDaCurvaABC, '') AS CategoriaDaCurvaABC, "
    "COALESCE(C.Logradouro, '') AS Logradouro, "
    "COALESCE(C.Numero, '') AS Numero, "
    "COALESCE(C.Complemento, '') AS Complemento, "
    "COALESCE(C.Bairro, '') AS Bairro, " +
    rawCep(d, "CEP") + " AS CEP, " +
    "COALESCE(C.Cidade, '') AS Cidade, "
    "COALESCE(C.UF, '') AS UF, " +
    rawFullAddresses(d) + rawChannels +
    " FROM Animais AS A JOIN Clientes AS C ON A.CodigoDoCliente = C.Codigo "
    "JOIN EspeciesDeAnimais AS E ON A.CodigoDaEspecie = E.Codigo JOIN RacasDeAnimais AS R ON A.CodigoDaRaca = R.Codigo "
    "WHERE A.Situacao IN (1, 2) AND A.AnimalMorto IN (0, -1) ORDER BY A.Nome");
}

// The tree as an application would build it: both lists read, each animal put under its client.
struct RelatedListing {
    size_t clients = 0, animals = 0;
};

// read(sql): the rows of a selection as Variants.
template <typename Read>
RelatedListing rawRelatedListing(const RawDialect& d, Read read) {
    const auto parents = read(rawShapeParent(d));
    const auto children = read(rawShapeChild(d));
    std::unordered_map<int32_t, std::vector<size_t>> byClient;
    for (size_t i = 0; i < children.size(); ++i) byClient[children[i][1].toInt32()].push_back(i);
    RelatedListing listing{parents.size(), 0};
    for (const auto& p : parents) listing.animals += byClient[p[0].toInt32()].size();
    return listing;
}

}  // namespace zelt::bench
