#pragma once
// The hand-written SQLite counterparts of the component's selections: the same rows and the same
// display texts, written directly for SQLite with its own functions instead of the Jet ones.
#include <sqlite3.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "seeded_database.hpp"

namespace zelt::bench {

// A CEP column as "00000-000".
inline std::string rawCep(const std::string& column) {
    const std::string digits = "printf('%08d', CAST(C." + column + " AS INTEGER))";
    return "CASE WHEN C." + column + " IS NULL OR C." + column + " = '' THEN '' ELSE substr(" + digits +
           ", 1, 5) || '-' || substr(" + digits + ", 6, 3) END";
}

// The client's address in one line, without and with the CEP, over "Clientes AS C".
inline const std::string rawFullAddresses = std::string(
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompleto, ")+
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.CEP) <> '' THEN ' - CEP:' || " + rawCep("CEP") + " ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompletoComCEP, ";

// The client's contacts in one line, over "Clientes AS C".
inline const std::string rawChannels =
    "CASE WHEN trim(C.CanalDeComunicacao1) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao1, '') || ' ' || C.CanalDeComunicacao1 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao2) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao2, '') || ' ' || C.CanalDeComunicacao2 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao3) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao3, '') || ' ' || C.CanalDeComunicacao3 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao4) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao4, '') || ' ' || C.CanalDeComunicacao4 ELSE '' END AS TiposECanaisDeComunicacao ";

// The 64 columns of the client list, over "Clientes AS C".
inline const std::string rawClientColumns = std::string("SELECT ") +
    "IFNULL(C.Codigo, 0) AS CodigoDoCliente, "
    "IFNULL(C.ApelidoOuNomeFantasia, '') AS ApelidoOuNomeFantasia, "
    "IFNULL(C.NomeOuRazaoSocial, '') AS NomeOuRazaoSocial, "
    "CASE WHEN C.CPFCNPJ IS NULL OR C.CPFCNPJ = '' THEN '' WHEN C.TipoDeCliente = 'PF' THEN substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 1, 3) || '.' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 4, 3) || '.' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 7, 3) || '-' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 10, 2) ELSE substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 1, 2) || '.' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 3, 3) || '.' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 6, 3) || '/' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 9, 4) || '-' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 13, 2) END AS CPFCNPJ, "
    "IFNULL(C.TipoDeCliente, '') AS TipoDeCliente, "
    "IFNULL(C.Sexo, '') AS Sexo, "
    "CASE WHEN C.DataDeNascimento <> '' THEN substr(printf('%04d', CAST(C.DataDeNascimento AS INTEGER)), 1, 2) || '/' || substr(printf('%04d', CAST(C.DataDeNascimento AS INTEGER)), 3, 2) || CASE WHEN C.AnoDeNascimento <> '' THEN '/' || C.AnoDeNascimento ELSE '' END ELSE '' END AS DataDeNascimento, "
    "IFNULL(C.AnoDeNascimento, '') AS AnoDeNascimento, "
    "IFNULL(C.RGIE, '') AS RGIE, "
    "CASE WHEN C.VIP <> 0 THEN 'Sim' ELSE 'Não' END AS VIP, "
    "IFNULL(C.CategoriaDaCurvaABC, '') AS CategoriaDaCurvaABC, " +
    rawCep("CEP") + " AS CEP, " +
    "IFNULL(C.TipoDeLogradouro, '') AS TipoDeLogradouro, "
    "IFNULL(C.Logradouro, '') AS Logradouro, "
    "IFNULL(C.Numero, '') AS Numero, "
    "IFNULL(C.Complemento, '') AS Complemento, "
    "IFNULL(C.Bairro, '') AS Bairro, "
    "IFNULL(C.Cidade, '') AS Cidade, "
    "IFNULL(C.CodigoIBGEDoMunicipio, '') AS CodigoIBGEDoMunicipio, "
    "IFNULL(C.UF, '') AS UF, " +
    rawCep("EndCobCEP") + " AS EndCobCEP, " +
    "IFNULL(C.EndCobTipoDeLogradouro, '') AS EndCobTipoDeLogradouro, "
    "IFNULL(C.EndCobLogradouro, '') AS EndCobLogradouro, "
    "IFNULL(C.EndCobNumero, '') AS EndCobNumero, "
    "IFNULL(C.EndCobComplemento, '') AS EndCobComplemento, "
    "IFNULL(C.EndCobBairro, '') AS EndCobBairro, "
    "IFNULL(C.EndCobCidade, '') AS EndCobCidade, "
    "IFNULL(C.EndCobUF, '') AS EndCobUF, "
    "IFNULL(C.TipoDeCanalDeComunicacao1, '') AS TipoDeCanalDeComunicacao1, "
    "IFNULL(C.CanalDeComunicacao1, '') AS CanalDeComunicacao1, "
    "IFNULL(C.TipoDeCanalDeComunicacao2, '') AS TipoDeCanalDeComunicacao2, "
    "IFNULL(C.CanalDeComunicacao2, '') AS CanalDeComunicacao2, "
    "IFNULL(C.TipoDeCanalDeComunicacao3, '') AS TipoDeCanalDeComunicacao3, "
    "IFNULL(C.CanalDeComunicacao3, '') AS CanalDeComunicacao3, "
    "IFNULL(C.TipoDeCanalDeComunicacao4, '') AS TipoDeCanalDeComunicacao4, "
    "IFNULL(C.CanalDeComunicacao4, '') AS CanalDeComunicacao4, "
    "IFNULL(C.Profissao, '') AS Profissao, "
    "IFNULL(C.Observacao, '') AS Observacao, "
    "CASE WHEN C.LimiteDeCredito IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.LimiteDeCredito / 10000.0), '.', ',') END AS LimiteDeCredito, "
    "CASE WHEN C.DataDaUltimaCompra IS NULL THEN '' ELSE strftime('%d/%m/%Y', C.DataDaUltimaCompra + 2415018.5) END AS DataDaUltimaCompra, "
    "CASE WHEN C.ValorDaUltimaCompra IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.ValorDaUltimaCompra / 10000.0), '.', ',') END AS ValorDaUltimaCompra, "
    "CASE WHEN C.Credito IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.Credito / 10000.0), '.', ',') END AS Credito, "
    "IFNULL(C.MotivoDaSituacao, '') AS MotivoDaSituacao, "
    "CASE WHEN C.ClienteComDesconto <> 0 THEN 'Sim' ELSE 'Não' END AS ClienteComDesconto, "
    "CASE WHEN C.DescontoUnico <> 0 THEN 'Sim' ELSE 'Não' END AS DescontoUnico, "
    "CASE WHEN C.PercentualUnicoDeDescontos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualUnicoDeDescontos / 10000.0), '.', ',') END AS PercentualUnicoDeDescontos, "
    "CASE WHEN C.PercentualDeDescontoEmClinicos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmClinicos / 10000.0), '.', ',') END AS PercentualDeDescontoEmClinicos, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaSimples IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaSimples / 10000.0), '.', ',') END AS PercentualDeDescontoEmCirurgiaSimples, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaMedia IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaMedia / 10000.0), '.', ',') END AS PercentualDeDescontoEmCirurgiaMedia, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaComplexa IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaComplexa / 10000.0), '.', ',') END AS PercentualDeDescontoEmCirurgiaComplexa, "
    "CASE WHEN C.PercentualDeDescontoEmBanhosTosasEEsteticas IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmBanhosTosasEEsteticas / 10000.0), '.', ',') END AS PercentualDeDescontoEmBanhosTosasEEsteticas, "
    "CASE WHEN C.PercentualDeDescontoEmHospedagens IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmHospedagens / 10000.0), '.', ',') END AS PercentualDeDescontoEmHospedagens, "
    "CASE WHEN C.PercentualDeDescontoEmAdestramentos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmAdestramentos / 10000.0), '.', ',') END AS PercentualDeDescontoEmAdestramentos, "
    "CASE WHEN C.PercentualDeDescontoEmOutros IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmOutros / 10000.0), '.', ',') END AS PercentualDeDescontoEmOutros, "
    "IFNULL(C.Situacao, 1) AS Situacao, "
    "CASE WHEN C.Situacao IS NULL THEN 'Ativo' WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END AS NomeDaSituacao, "
    "strftime('%d/%m/%Y %H:%M:%S', C.DataEHoraDaInclusao + 2415018.5) AS DataEHoraDaInclusao, "
    "IFNULL(C.UsuarioDaInclusao, '') AS UsuarioDaInclusao, "
    "strftime('%d/%m/%Y %H:%M:%S', C.DataEHoraDaAlteracao + 2415018.5) AS DataEHoraDaAlteracao, "
    "IFNULL(C.UsuarioDaAlteracao, '') AS UsuarioDaAlteracao, " +
    rawFullAddresses +
    "CASE WHEN trim(C.EndCobTipoDeLogradouro) <> '' THEN C.EndCobTipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.EndCobLogradouro) <> '' THEN C.EndCobLogradouro ELSE '' END || CASE WHEN trim(C.EndCobNumero) <> '' THEN ', ' || C.EndCobNumero ELSE '' END || CASE WHEN trim(C.EndCobComplemento) <> '' THEN ' - ' || C.EndCobComplemento ELSE '' END AS EnderecoDeCobrancaCompleto, " +
    rawChannels;

// The full client list, every status (the list an administrator sees).
inline const std::string rawClientSelection =
    rawClientColumns + "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial";

// The list searched by a name: nickname, full name or street containing the text (SQLite's LIKE
// ignores case as the component's does for the ASCII search text used here).
inline std::string rawClientNameSearch(const std::string& name) {
    const std::string like = "'%" + name + "%'";
    return rawClientColumns + "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) AND (C.ApelidoOuNomeFantasia LIKE " +
           like + " OR C.NomeOuRazaoSocial LIKE " + like + " OR C.Logradouro LIKE " + like +
           ") ORDER BY C.NomeOuRazaoSocial";
}

// The register as a tree: the clients, then their animals, related by the client's code.
inline const char* const rawShapeParent =
    "SELECT C.Codigo, C.ApelidoOuNomeFantasia, C.NomeOuRazaoSocial, CASE WHEN C.Situacao IS NULL THEN 'Ativo' "
    "WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN "
    "C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' "
    "ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END "
    "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial";
inline const char* const rawShapeChild =
    "SELECT A.Codigo, A.CodigoDoCliente, A.Nome, E.Nome, R.Nome, CASE WHEN A.Situacao = 1 THEN 'Ativo' ELSE 'Inativo' END, "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaInclusao + 2415018.5), IFNULL(A.UsuarioDaInclusao, ''), "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaAlteracao + 2415018.5), IFNULL(A.UsuarioDaAlteracao, '') "
    "FROM EspeciesDeAnimais AS E JOIN RacasDeAnimais AS R ON E.Codigo = R.CodigoDaEspecieDeAnimal "
    "JOIN Animais AS A ON R.Codigo = A.CodigoDaRaca AND E.Codigo = A.CodigoDaEspecie "
    "WHERE A.Situacao IN (1, 2) ORDER BY A.Nome";

// The 37 columns of the animal list with the owner's address and contacts, every status, living
// or dead, by name.
inline const std::string rawAnimalSelection = std::string("SELECT ") +
    "IFNULL(A.Codigo, 0) AS CodigoDoAnimal, "
    "IFNULL(A.Nome, '') AS Nome, "
    "CASE WHEN A.Sexo IS NULL THEN 'F' WHEN A.Sexo = 'F' THEN 'Fêmea' WHEN A.Sexo = 'M' THEN 'Macho' END AS Sexo, "
    "IFNULL(A.CodigoDaEspecie, 0) AS CodigoDaEspecie, "
    "IFNULL(E.Nome, '') AS NomeDaEspecie, "
    "IFNULL(A.CodigoDaRaca, 0) AS CodigoDaRaca, "
    "IFNULL(R.Nome, '') AS NomeDaRaca, "
    "IFNULL(A.Porte, '') AS Porte, "
    "IFNULL(A.Cor, '') AS Cor, "
    "strftime('%d/%m/%Y', A.DataDeNascimento + 2415018.5) AS DataDeNascimento, "
    "IFNULL(A.RGA, '') AS RGA, "
    "IFNULL(A.Microchip, '') AS Microchip, "
    "CASE WHEN A.Pedigree = 0 THEN 'Não' ELSE 'Sim' END AS Pedigree, "
    "CASE WHEN A.AnimalMorto = 0 THEN 'Não' ELSE 'Sim' END AS AnimalMorto, "
    "A.Observacao AS Observacao, "
    "IFNULL(A.Situacao, 1) AS Situacao, "
    "CASE WHEN A.Situacao = 1 THEN 'Ativo' ELSE 'Inativo' END AS NomeDaSituacao, "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaInclusao + 2415018.5) AS DataEHoraDaInclusao, "
    "IFNULL(A.UsuarioDaInclusao, '') AS UsuarioDaInclusao, "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaAlteracao + 2415018.5) AS DataEHoraDaAlteracao, "
    "IFNULL(A.UsuarioDaAlteracao, '') AS UsuarioDaAlteracao, "
    "IFNULL(C.Codigo, 0) AS CodigoDoCliente, "
    "IFNULL(C.ApelidoOuNomeFantasia, '') AS ApelidoOuNomeFantasia, "
    "IFNULL(C.NomeOuRazaoSocial, '') AS NomeOuRazaoSocial, "
    "IFNULL(C.Situacao, 1) AS SituacaoDoCliente, "
    "CASE WHEN C.VIP <> 0 THEN 'Sim' ELSE 'Não' END AS VIP, "
    "IFNULL(C.CategoriaDaCurvaABC, '') AS CategoriaDaCurvaABC, "
    "IFNULL(C.Logradouro, '') AS Logradouro, "
    "IFNULL(C.Numero, '') AS Numero, "
    "IFNULL(C.Complemento, '') AS Complemento, "
    "IFNULL(C.Bairro, '') AS Bairro, " +
    rawCep("CEP") + " AS CEP, " +
    "IFNULL(C.Cidade, '') AS Cidade, "
    "IFNULL(C.UF, '') AS UF, " +
    rawFullAddresses + rawChannels +
    " FROM Animais AS A JOIN Clientes AS C ON A.CodigoDoCliente = C.Codigo "
    "JOIN EspeciesDeAnimais AS E ON A.CodigoDaEspecie = E.Codigo JOIN RacasDeAnimais AS R ON A.CodigoDaRaca = R.Codigo "
    "WHERE A.Situacao IN (1, 2) AND A.AnimalMorto IN (0, -1) ORDER BY A.Nome";

// The tree as an application would build it: both lists read, each animal put under its client.
struct RelatedListing {
    size_t clients = 0, animals = 0;
};

inline RelatedListing rawRelatedListing(sqlite3* db) {
    const auto parents = materialize(db, rawShapeParent);
    const auto children = materialize(db, rawShapeChild);
    std::unordered_map<int32_t, std::vector<size_t>> byClient;
    for (size_t i = 0; i < children.size(); ++i) byClient[children[i][1].toInt32()].push_back(i);
    RelatedListing listing{parents.size(), 0};
    for (const auto& p : parents) listing.animals += byClient[p[0].toInt32()].size();
    return listing;
}

}  // namespace zelt::bench
