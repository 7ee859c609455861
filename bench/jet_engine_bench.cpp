// The engine against SQLite alone, on the same rows in the same run: the 64-column client
// selection over the seeded clients and the combined listing of the clients with their animals.
// The engine's figure over the raw one is the overhead of translation, the Jet functions and the
// typed recordset.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "raw_statements.hpp"
#include "seeded_database.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/translator.hpp"

using namespace zelt;

namespace {

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

void ClientSelectionEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(bench::seededDatabase());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(clientSelection, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ClientSelectionRawSqlite(benchmark::State& state) {
    sqlite3* db = bench::openRaw(bench::seededDatabase());
    const std::string sql = bench::rawClientSelection(bench::SQLiteSql);
    for (auto _ : state) benchmark::DoNotOptimize(bench::materialize(db, sql).size());
    sqlite3_close(db);
}

void ShapeListingEngine(benchmark::State& state) {
    auto engine = jet::openDatabase(bench::seededDatabase());
    int64_t n = 0;
    for (auto _ : state) {
        auto rs = engine->execute(shapeListing, n);
        benchmark::DoNotOptimize(rs->get_RecordCount());
    }
}

void ShapeListingRawSqlite(benchmark::State& state) {
    sqlite3* db = bench::openRaw(bench::seededDatabase());
    auto read = [db](const std::string& sql) { return bench::materialize(db, sql); };
    for (auto _ : state) benchmark::DoNotOptimize(bench::rawRelatedListing(bench::SQLiteSql, read));
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
