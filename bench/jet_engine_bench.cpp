// The engine against SQLite alone, on the same rows in the same run: the 64-column client
// selection over 100,000 clients and the combined listing over 100,000 clients with 300,000
// animals. The engine's figure over the raw one is the overhead of translation, the Jet
// functions and the typed recordset.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "zelt/ado/connection.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/translator.hpp"

using namespace zelt;

namespace {

constexpr int Clients = 100000;
constexpr int AnimalsPerClient = 3;

const std::string clientSelection = std::string("SELECT ") +
    R"jet(   IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, )jet"
    R"jet(   IIF(IsNull(Clientes.ApelidoOuNomeFantasia), '', Clientes.ApelidoOuNomeFantasia) AS ApelidoOuNomeFantasia, )jet"
    R"jet(   IIF(IsNull(Clientes.NomeOuRazaoSocial), '', Clientes.NomeOuRazaoSocial) AS NomeOuRazaoSocial, )jet"
    R"jet(   IIF(IsNull(Clientes.CPFCNPJ), '', IIF(Clientes.TipoDeCliente='PF', IIF(Clientes.CPFCNPJ<>'', Format([Clientes.CPFCNPJ],'000\.000\.000\-00'), ''), IIF(Clientes.CPFCNPJ<>'',Format([Clientes.CPFCNPJ],'00\.000\.000\/0000-00'),''))) AS CPFCNPJ, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeCliente), '', Clientes.TipoDeCliente) AS TipoDeCliente, )jet"
    R"jet(   IIF(IsNull(Clientes.Sexo), '', Clientes.Sexo) AS Sexo, )jet"
    R"jet(   IIF([Clientes.DataDeNascimento]<>'', Format([Clientes.DataDeNascimento],'00/00') & IIF([Clientes.AnoDeNascimento]<>'','/' & Clientes.AnoDeNascimento,''), '') As DataDeNascimento, )jet"
    R"jet(   IIF(IsNull(Clientes.AnoDeNascimento), '', Clientes.AnoDeNascimento) AS AnoDeNascimento, )jet"
    R"jet(   IIF(IsNull(Clientes.RGIE), '', Clientes.RGIE) AS RGIE, )jet"
    R"jet(   IIF(Clientes.VIP=True, 'Sim', 'Não') AS VIP, )jet"
    R"jet(   IIF(IsNull(Clientes.CategoriaDaCurvaABC), '', Clientes.CategoriaDaCurvaABC) AS CategoriaDaCurvaABC, )jet"
    R"jet(   IIF(IsNull(Clientes.CEP), '',  IIF(Clientes.CEP<>'',Format([Clientes.CEP],'00000-000'),'')) AS CEP, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeLogradouro), '', Clientes.TipoDeLogradouro) AS TipoDeLogradouro, )jet"
    R"jet(   IIF(IsNull(Clientes.Logradouro), '', Clientes.Logradouro) AS Logradouro, )jet"
    R"jet(   IIF(IsNull(Clientes.Numero), '', Clientes.Numero) AS Numero, )jet"
    R"jet(   IIF(IsNull(Clientes.Complemento), '', Clientes.Complemento) AS Complemento, )jet"
    R"jet(   IIF(IsNull(Clientes.Bairro), '', Clientes.Bairro) AS Bairro, )jet"
    R"jet(   IIF(IsNull(Clientes.Cidade), '', Clientes.Cidade) AS Cidade, )jet"
    R"jet(   IIF(IsNull(Clientes.CodigoIBGEDoMunicipio), '', Clientes.CodigoIBGEDoMunicipio) AS CodigoIBGEDoMunicipio, )jet"
    R"jet(   IIF(IsNull(Clientes.UF), '', Clientes.UF) AS UF, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobCEP), '',  IIF(Clientes.EndCobCEP<>'',Format([Clientes.EndCobCEP],'00000-000'),'')) AS EndCobCEP, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobTipoDeLogradouro), '', Clientes.EndCobTipoDeLogradouro) AS EndCobTipoDeLogradouro, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobLogradouro), '', Clientes.EndCobLogradouro) AS EndCobLogradouro, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobNumero), '', Clientes.EndCobNumero) AS EndCobNumero, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobComplemento), '', Clientes.EndCobComplemento) AS EndCobComplemento, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobBairro), '', Clientes.EndCobBairro) AS EndCobBairro, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobCidade), '', Clientes.EndCobCidade) AS EndCobCidade, )jet"
    R"jet(   IIF(IsNull(Clientes.EndCobUF), '', Clientes.EndCobUF) AS EndCobUF, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao1), '', Clientes.TipoDeCanalDeComunicacao1) AS TipoDeCanalDeComunicacao1, )jet"
    R"jet(   IIF(IsNull(Clientes.CanalDeComunicacao1), '', Clientes.CanalDeComunicacao1) AS CanalDeComunicacao1, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao2), '', Clientes.TipoDeCanalDeComunicacao2) AS TipoDeCanalDeComunicacao2, )jet"
    R"jet(   IIF(IsNull(Clientes.CanalDeComunicacao2), '', Clientes.CanalDeComunicacao2) AS CanalDeComunicacao2, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao3), '', Clientes.TipoDeCanalDeComunicacao3) AS TipoDeCanalDeComunicacao3, )jet"
    R"jet(   IIF(IsNull(Clientes.CanalDeComunicacao3), '', Clientes.CanalDeComunicacao3) AS CanalDeComunicacao3, )jet"
    R"jet(   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao4), '', Clientes.TipoDeCanalDeComunicacao4) AS TipoDeCanalDeComunicacao4, )jet"
    R"jet(   IIF(IsNull(Clientes.CanalDeComunicacao4), '', Clientes.CanalDeComunicacao4) AS CanalDeComunicacao4, )jet"
    R"jet(   IIF(IsNull(Clientes.Profissao), '', Clientes.Profissao) AS Profissao, )jet"
    R"jet(   IIF(IsNull(Clientes.Observacao), '', Clientes.Observacao) AS Observacao, )jet"
    R"jet(   IIF(IsNull(Clientes.LimiteDeCredito), Format(0,'#,##0.00'), Format([Clientes.LimiteDeCredito],'#,##0.00')) AS LimiteDeCredito, )jet"
    R"jet(   IIF(IsNull(Clientes.DataDaUltimaCompra), '', Format([Clientes.DataDaUltimaCompra],'DD/MM/YYYY')) AS DataDaUltimaCompra, )jet"
    R"jet(   IIF(IsNull(Clientes.ValorDaUltimaCompra), Format(0,'#,##0.00'), Format([Clientes.ValorDaUltimaCompra],'#,##0.00')) AS ValorDaUltimaCompra, )jet"
    R"jet(   IIF(IsNull(Clientes.Credito), Format(0,'#,##0.00'), Format([Clientes.Credito],'#,##0.00')) AS Credito, )jet"
    R"jet(   IIF(IsNull(Clientes.MotivoDaSituacao), '', Clientes.MotivoDaSituacao) AS MotivoDaSituacao, )jet"
    R"jet(   IIF(Clientes.ClienteComDesconto=True, 'Sim', 'Não') AS ClienteComDesconto, )jet"
    R"jet(   IIF(Clientes.DescontoUnico=True, 'Sim', 'Não') AS DescontoUnico, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualUnicoDeDescontos), Format(0,'#,##0.00'), Format([Clientes.PercentualUnicoDeDescontos],'#,##0.00')) AS PercentualUnicoDeDescontos, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmClinicos), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmClinicos],'#,##0.00')) AS PercentualDeDescontoEmClinicos, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaSimples), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaSimples],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaSimples, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaMedia), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaMedia],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaMedia, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaComplexa), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaComplexa],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaComplexa, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmBanhosTosasEEsteticas), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmBanhosTosasEEsteticas],'#,##0.00')) AS PercentualDeDescontoEmBanhosTosasEEsteticas, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmHospedagens), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmHospedagens],'#,##0.00')) AS PercentualDeDescontoEmHospedagens, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmAdestramentos), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmAdestramentos],'#,##0.00')) AS PercentualDeDescontoEmAdestramentos, )jet"
    R"jet(   IIF(IsNull(Clientes.PercentualDeDescontoEmOutros), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmOutros],'#,##0.00')) AS PercentualDeDescontoEmOutros, )jet"
    R"jet(   IIF(IsNull(Clientes.Situacao), 1, Clientes.Situacao) AS Situacao, )jet"
    R"jet(   IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacao, )jet"
    R"jet(   Format(Clientes.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, )jet"
    R"jet(   IIF(IsNull(Clientes.UsuarioDaInclusao), '', Clientes.UsuarioDaInclusao) AS UsuarioDaInclusao, )jet"
    R"jet(   Format(Clientes.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, )jet"
    R"jet(   IIF(IsNull(Clientes.UsuarioDaAlteracao), '', Clientes.UsuarioDaAlteracao) AS UsuarioDaAlteracao, )jet"
    R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompleto, )jet"
    R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.CEP)<>"", " - CEP:" & Format([Clientes.CEP],'00000-000'),"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompletoComCEP, )jet"
    R"jet(   IIf(Trim(Clientes.EndCobTipoDeLogradouro)<>"",Clientes.EndCobTipoDeLogradouro & " ","")    & IIf(Trim(Clientes.EndCobLogradouro)<>"", Clientes.EndCobLogradouro,"")    & IIf(Trim(Clientes.EndCobNumero)<>"", ", " & Clientes.EndCobNumero ,"")    & IIf(Trim(Clientes.EndCobComplemento)<>"", " - " & Clientes.EndCobComplemento,"") AS EnderecoDeCobrancaCompleto, )jet"
    R"jet(   IIf(Trim(Clientes.CanalDeComunicacao1)<>"",Clientes.TipoDeCanalDeComunicacao1 & " " & Clientes.CanalDeComunicacao1 & " ", "")     & IIf(Trim(Clientes.CanalDeComunicacao2)<>"",Clientes.TipoDeCanalDeComunicacao2 & " " & Clientes.CanalDeComunicacao2 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao3)<>"",Clientes.TipoDeCanalDeComunicacao3 & " " & Clientes.CanalDeComunicacao3 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao4)<>"",Clientes.TipoDeCanalDeComunicacao4 & " " & Clientes.CanalDeComunicacao4,"") AS TiposECanaisDeComunicacao )jet"
    "FROM     Clientes WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) "
    "ORDER BY    Clientes.NomeOuRazaoSocial ASC;";

const std::string rawClientSelection = std::string("SELECT ") +
    "IFNULL(C.Codigo, 0) AS CodigoDoCliente, "
    "IFNULL(C.ApelidoOuNomeFantasia, '') AS ApelidoOuNomeFantasia, "
    "IFNULL(C.NomeOuRazaoSocial, '') AS NomeOuRazaoSocial, "
    "CASE WHEN C.CPFCNPJ IS NULL OR C.CPFCNPJ = '' THEN '' WHEN C.TipoDeCliente = 'PF' THEN substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 1, 3) || '.' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 4, 3) || '.' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 7, 3) || '-' || substr(printf('%011d', CAST(C.CPFCNPJ AS INTEGER)), 10, 2) ELSE substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 1, 2) || '.' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 3, 3) || '.' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 6, 3) || '/' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 9, 4) || '-' || substr(printf('%014d', CAST(C.CPFCNPJ AS INTEGER)), 13, 2) END AS CPFCNPJ, "
    "IFNULL(C.TipoDeCliente, '') AS TipoDeCliente, "
    "IFNULL(C.Sexo, '') AS Sexo, "
    "CASE WHEN C.DataDeNascimento <> '' THEN substr(printf('%04d', CAST(C.DataDeNascimento AS INTEGER)), 1, 2) || '/' || substr(printf('%04d', CAST(C.DataDeNascimento AS INTEGER)), 3, 2) || CASE WHEN C.AnoDeNascimento <> '' THEN '/' || C.AnoDeNascimento ELSE '' END ELSE '' END AS DataDeNascimento, "
    "IFNULL(C.AnoDeNascimento, '') AS AnoDeNascimento, "
    "IFNULL(C.RGIE, '') AS RGIE, "
    "CASE WHEN C.VIP = 1 THEN 'Sim' ELSE 'Não' END AS VIP, "
    "IFNULL(C.CategoriaDaCurvaABC, '') AS CategoriaDaCurvaABC, "
    "CASE WHEN C.CEP IS NULL OR C.CEP = '' THEN '' ELSE substr(printf('%08d', CAST(C.CEP AS INTEGER)), 1, 5) || '-' || substr(printf('%08d', CAST(C.CEP AS INTEGER)), 6, 3) END AS CEP, "
    "IFNULL(C.TipoDeLogradouro, '') AS TipoDeLogradouro, "
    "IFNULL(C.Logradouro, '') AS Logradouro, "
    "IFNULL(C.Numero, '') AS Numero, "
    "IFNULL(C.Complemento, '') AS Complemento, "
    "IFNULL(C.Bairro, '') AS Bairro, "
    "IFNULL(C.Cidade, '') AS Cidade, "
    "IFNULL(C.CodigoIBGEDoMunicipio, '') AS CodigoIBGEDoMunicipio, "
    "IFNULL(C.UF, '') AS UF, "
    "CASE WHEN C.EndCobCEP IS NULL OR C.EndCobCEP = '' THEN '' ELSE substr(printf('%08d', CAST(C.EndCobCEP AS INTEGER)), 1, 5) || '-' || substr(printf('%08d', CAST(C.EndCobCEP AS INTEGER)), 6, 3) END AS EndCobCEP, "
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
    "CASE WHEN C.LimiteDeCredito IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.LimiteDeCredito), '.', ',') END AS LimiteDeCredito, "
    "CASE WHEN C.DataDaUltimaCompra IS NULL THEN '' ELSE strftime('%d/%m/%Y', C.DataDaUltimaCompra + 2415018.5) END AS DataDaUltimaCompra, "
    "CASE WHEN C.ValorDaUltimaCompra IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.ValorDaUltimaCompra), '.', ',') END AS ValorDaUltimaCompra, "
    "CASE WHEN C.Credito IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.Credito), '.', ',') END AS Credito, "
    "IFNULL(C.MotivoDaSituacao, '') AS MotivoDaSituacao, "
    "CASE WHEN C.ClienteComDesconto = 1 THEN 'Sim' ELSE 'Não' END AS ClienteComDesconto, "
    "CASE WHEN C.DescontoUnico = 1 THEN 'Sim' ELSE 'Não' END AS DescontoUnico, "
    "CASE WHEN C.PercentualUnicoDeDescontos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualUnicoDeDescontos), '.', ',') END AS PercentualUnicoDeDescontos, "
    "CASE WHEN C.PercentualDeDescontoEmClinicos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmClinicos), '.', ',') END AS PercentualDeDescontoEmClinicos, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaSimples IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaSimples), '.', ',') END AS PercentualDeDescontoEmCirurgiaSimples, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaMedia IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaMedia), '.', ',') END AS PercentualDeDescontoEmCirurgiaMedia, "
    "CASE WHEN C.PercentualDeDescontoEmCirurgiaComplexa IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmCirurgiaComplexa), '.', ',') END AS PercentualDeDescontoEmCirurgiaComplexa, "
    "CASE WHEN C.PercentualDeDescontoEmBanhosTosasEEsteticas IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmBanhosTosasEEsteticas), '.', ',') END AS PercentualDeDescontoEmBanhosTosasEEsteticas, "
    "CASE WHEN C.PercentualDeDescontoEmHospedagens IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmHospedagens), '.', ',') END AS PercentualDeDescontoEmHospedagens, "
    "CASE WHEN C.PercentualDeDescontoEmAdestramentos IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmAdestramentos), '.', ',') END AS PercentualDeDescontoEmAdestramentos, "
    "CASE WHEN C.PercentualDeDescontoEmOutros IS NULL THEN '0,00' ELSE replace(printf('%.2f', C.PercentualDeDescontoEmOutros), '.', ',') END AS PercentualDeDescontoEmOutros, "
    "IFNULL(C.Situacao, 1) AS Situacao, "
    "CASE WHEN C.Situacao IS NULL THEN 'Ativo' WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END AS NomeDaSituacao, "
    "strftime('%d/%m/%Y %H:%M:%S', C.DataEHoraDaInclusao + 2415018.5) AS DataEHoraDaInclusao, "
    "IFNULL(C.UsuarioDaInclusao, '') AS UsuarioDaInclusao, "
    "strftime('%d/%m/%Y %H:%M:%S', C.DataEHoraDaAlteracao + 2415018.5) AS DataEHoraDaAlteracao, "
    "IFNULL(C.UsuarioDaAlteracao, '') AS UsuarioDaAlteracao, "
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompleto, "
    "CASE WHEN trim(C.TipoDeLogradouro) <> '' THEN C.TipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.Logradouro) <> '' THEN C.Logradouro ELSE '' END || CASE WHEN trim(C.Numero) <> '' THEN ', ' || C.Numero ELSE '' END || CASE WHEN trim(C.Complemento) <> '' THEN ' - ' || C.Complemento ELSE '' END || CASE WHEN trim(C.Bairro) <> '' THEN ' - ' || C.Bairro ELSE '' END || CASE WHEN trim(C.CEP) <> '' THEN ' - CEP:' || substr(printf('%08d', CAST(C.CEP AS INTEGER)), 1, 5) || '-' || substr(printf('%08d', CAST(C.CEP AS INTEGER)), 6, 3) ELSE '' END || CASE WHEN trim(C.Cidade) <> '' THEN ' - ' || C.Cidade ELSE '' END || CASE WHEN trim(C.UF) <> '' THEN ' / ' || C.UF ELSE '' END AS EnderecoCompletoComCEP, "
    "CASE WHEN trim(C.EndCobTipoDeLogradouro) <> '' THEN C.EndCobTipoDeLogradouro || ' ' ELSE '' END || CASE WHEN trim(C.EndCobLogradouro) <> '' THEN C.EndCobLogradouro ELSE '' END || CASE WHEN trim(C.EndCobNumero) <> '' THEN ', ' || C.EndCobNumero ELSE '' END || CASE WHEN trim(C.EndCobComplemento) <> '' THEN ' - ' || C.EndCobComplemento ELSE '' END AS EnderecoDeCobrancaCompleto, "
    "CASE WHEN trim(C.CanalDeComunicacao1) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao1, '') || ' ' || C.CanalDeComunicacao1 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao2) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao2, '') || ' ' || C.CanalDeComunicacao2 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao3) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao3, '') || ' ' || C.CanalDeComunicacao3 || ' ' ELSE '' END || CASE WHEN trim(C.CanalDeComunicacao4) <> '' THEN IFNULL(C.TipoDeCanalDeComunicacao4, '') || ' ' || C.CanalDeComunicacao4 ELSE '' END AS TiposECanaisDeComunicacao "

    "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial";

const std::string shapeListing =
    "           SHAPE      {  SELECT "
    "        Clientes.Codigo AS CodigoDoCliente, "
    "        Clientes.ApelidoOuNomeFantasia As ApelidoOuNomeFantasiaDoCliente, "
    "        Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente, "
    "        IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), "
    "Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', "
    "'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacaoDoCliente "
    "     FROM    Clientes WHERE    (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) "
    "     ORDER BY    Clientes.NomeOuRazaoSocial ASC     } AS Clientes      APPEND      (         {         SELECT "
    "           Animais.Codigo AS CodigoDoAnimal, "
    "           Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais, "
    "           Animais.Nome As NomeDoAnimal, "
    "           EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal, "
    "           RacasDeAnimais.Nome As NomeDaRacaDoAnimal, "
    "           IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacaoDoAnimal, "
    "           Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, "
    "           IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, "
    "           Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, "
    "           IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao "
    "        FROM            EspeciesDeAnimais INNER JOIN (RacasDeAnimais INNER JOIN Animais ON RacasDeAnimais.Codigo = "
    "Animais.CodigoDaRaca) ON (EspeciesDeAnimais.Codigo = RacasDeAnimais.CodigoDaEspecieDeAnimal) AND "
    "(EspeciesDeAnimais.Codigo = Animais.CodigoDaEspecie) "
    "WHERE    (Animais.Situacao=1 OR Animais.Situacao=2)         ORDER BY    Animais.Nome ASC        }         RELATE "
    "           CodigoDoCliente TO CodigoDoClienteDeAnimais      ) AS Animais ";

const char* const rawShapeParent =
    "SELECT C.Codigo, C.ApelidoOuNomeFantasia, C.NomeOuRazaoSocial, CASE WHEN C.Situacao IS NULL THEN 'Ativo' "
    "WHEN C.Situacao = 1 THEN CASE WHEN C.Sexo = 'M' THEN 'Ativo' ELSE 'Ativa' END WHEN C.Situacao = 2 THEN CASE WHEN "
    "C.Sexo = 'M' THEN 'Inativo' ELSE 'Inativa' END WHEN C.Situacao = 3 THEN CASE WHEN C.Sexo = 'M' THEN 'Bloqueado' "
    "ELSE 'Bloqueada' END WHEN C.Situacao = 4 THEN CASE WHEN C.Sexo = 'M' THEN 'Excluído' ELSE 'Excluída' END END "
    "FROM Clientes AS C WHERE C.Situacao IN (1, 2, 3, 4) ORDER BY C.NomeOuRazaoSocial";
const char* const rawShapeChild =
    "SELECT A.Codigo, A.CodigoDoCliente, A.Nome, E.Nome, R.Nome, CASE WHEN A.Situacao = 1 THEN 'Ativo' ELSE 'Inativo' END, "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaInclusao + 2415018.5), IFNULL(A.UsuarioDaInclusao, ''), "
    "strftime('%d/%m/%Y %H:%M:%S', A.DataEHoraDaAlteracao + 2415018.5), IFNULL(A.UsuarioDaAlteracao, '') "
    "FROM EspeciesDeAnimais AS E JOIN RacasDeAnimais AS R ON E.Codigo = R.CodigoDaEspecieDeAnimal "
    "JOIN Animais AS A ON R.Codigo = A.CodigoDaRaca AND E.Codigo = A.CodigoDaEspecie "
    "WHERE A.Situacao IN (1, 2) ORDER BY A.Nome";

int collate(void*, int na, const void* a, int nb, const void* b) {
    return regional::compareText({static_cast<const char*>(a), static_cast<size_t>(na)},
                                 {static_cast<const char*>(b), static_cast<size_t>(nb)});
}

sqlite3* openRaw(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_create_collation_v2(db, "PTBR", SQLITE_UTF8, nullptr, collate, nullptr);
    return db;
}

std::string digits(std::mt19937& rng, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    return s;
}

void bindText(sqlite3_stmt* s, int i, const std::string& t) { sqlite3_bind_text(s, i, t.c_str(), -1, SQLITE_TRANSIENT); }

void seed(const std::string& path) {
    static const char* first[] = {"Ana", "Álvaro", "Bruno", "Carla", "Débora", "Eduardo", "Fábio", "Gisele", "Hélio",
                                  "Íris", "João", "Luíza", "Márcio", "Natália", "Otávio", "Paula", "Renata", "Sérgio"};
    static const char* last[] = {"Silva", "Souza", "Oliveira", "Pereira", "Conceição", "Gonçalves", "Araújo",
                                 "Rodrigues", "Lima", "Ferreira", "Magalhães", "Brandão", "Assunção"};
    static const char* pets[] = {"Rex", "Mel", "Thor", "Luna", "Bob", "Nina", "Fred", "Pipoca", "Amora", "Simba"};
    jet::openDatabase(path);  // the schema and reference data
    sqlite3* db = openRaw(path);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* client = nullptr;
    sqlite3_prepare_v2(db,
        "INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Sexo, DataDeNascimento, "
        "AnoDeNascimento, CPFCNPJ, RGIE, CEP, TipoDeLogradouro, Logradouro, Numero, Complemento, Bairro, Cidade, "
        "CodigoIBGEDoMunicipio, UF, VIP, CategoriaDaCurvaABC, EndCobCEP, EndCobLogradouro, TipoDeCanalDeComunicacao1, "
        "CanalDeComunicacao1, TipoDeCanalDeComunicacao2, CanalDeComunicacao2, LimiteDeCredito, ClienteComDesconto, "
        "DescontoUnico, PercentualUnicoDeDescontos, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao, Credito) "
        "VALUES ('PF', ?1, ?2, ?3, ?4, '1980', ?5, '12345678', ?6, 'Rua', ?7, ?8, 'Apto 12', 'Centro', 'São Paulo', "
        "'3550308', 'SP', ?9, 'A', ?6, ?7, 'Email', 'cliente@example.com', 'Celular', ?10, ?11, 0, 1, 10.5, ?12, ?13, "
        "'admin', 12.34)", -1, &client, nullptr);
    std::mt19937 rng(42);
    for (int i = 0; i < Clients; ++i) {
        const std::string name = std::string(first[rng() % 18]) + " " + last[rng() % 13] + " " + last[rng() % 13];
        bindText(client, 1, first[rng() % 18]);
        bindText(client, 2, name);
        bindText(client, 3, rng() % 2 ? "M" : "F");
        bindText(client, 4, "1503");
        bindText(client, 5, digits(rng, 11));
        bindText(client, 6, digits(rng, 8));
        bindText(client, 7, "Avenida " + std::string(last[rng() % 13]));
        bindText(client, 8, std::to_string(rng() % 2000));
        sqlite3_bind_int(client, 9, static_cast<int>(rng() % 2));
        bindText(client, 10, "119" + digits(rng, 8));
        sqlite3_bind_double(client, 11, static_cast<double>(rng() % 500000) / 100);
        sqlite3_bind_int(client, 12, static_cast<int>(1 + rng() % 4));
        sqlite3_bind_double(client, 13, 45000.0 + static_cast<double>(rng() % 1000000) / 1000);
        sqlite3_step(client);
        sqlite3_reset(client);
    }
    sqlite3_finalize(client);
    sqlite3_stmt* animal = nullptr;
    sqlite3_prepare_v2(db,
        "INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, Situacao, "
        "DataEHoraDaInclusao, UsuarioDaInclusao) VALUES (?1, ?2, 'M', 1, ?3, ?4, ?5, 'admin')", -1, &animal, nullptr);
    for (int c = 1; c <= Clients; ++c) {
        for (int k = 0; k < AnimalsPerClient; ++k) {
            sqlite3_bind_int(animal, 1, c);
            bindText(animal, 2, pets[rng() % 10]);
            sqlite3_bind_int(animal, 3, static_cast<int>(1 + rng() % 10));
            sqlite3_bind_int(animal, 4, static_cast<int>(1 + rng() % 2));
            sqlite3_bind_double(animal, 5, 45000.0 + static_cast<double>(rng() % 1000000) / 1000);
            sqlite3_step(animal);
            sqlite3_reset(animal);
        }
    }
    sqlite3_finalize(animal);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

const std::string& databasePath() {
    static const std::string path = [] {
        std::string dir = (std::filesystem::temp_directory_path() / "zelt-bench-XXXXXX").string();
        std::string p = std::string(mkdtemp(dir.data())) + "/bench.db";
        seed(p);
        return p;
    }();
    return path;
}

// The rows as the raw engine would hand them over: one Variant per value, by storage class.
std::vector<std::vector<Variant>> materialize(sqlite3* db, const char* sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    const int n = sqlite3_column_count(s);
    std::vector<std::vector<Variant>> rows;
    while (sqlite3_step(s) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        row.reserve(static_cast<size_t>(n));
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER: row.emplace_back(static_cast<int32_t>(sqlite3_column_int64(s, c))); break;
            case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(s, c)); break;
            case SQLITE_NULL: row.push_back(Variant::null()); break;
            default:
                row.emplace_back(std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                  static_cast<size_t>(sqlite3_column_bytes(s, c))));
            }
        }
    }
    sqlite3_finalize(s);
    return rows;
}

void ClientSelectionEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(databasePath());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(clientSelection, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ClientSelectionRawSqlite(benchmark::State& state) {
    sqlite3* db = openRaw(databasePath());
    for (auto _ : state) benchmark::DoNotOptimize(materialize(db, rawClientSelection.c_str()).size());
    sqlite3_close(db);
}

void ShapeListingEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(databasePath());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(shapeListing, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ShapeListingRawSqlite(benchmark::State& state) {
    sqlite3* db = openRaw(databasePath());
    for (auto _ : state) {
        auto parents = materialize(db, rawShapeParent);
        auto children = materialize(db, rawShapeChild);
        std::unordered_map<int32_t, std::vector<size_t>> byClient;
        for (size_t i = 0; i < children.size(); ++i) byClient[children[i][1].toInt32()].push_back(i);
        size_t related = 0;
        for (const auto& p : parents) related += byClient[p[0].toInt32()].size();
        benchmark::DoNotOptimize(related);
    }
    sqlite3_close(db);
}

void TranslateClientSelection(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(jet::translate(clientSelection).query.sql.size());
}

}  // namespace

BENCHMARK(ClientSelectionEngine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ClientSelectionRawSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ShapeListingEngine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ShapeListingRawSqlite)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TranslateClientSelection)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
