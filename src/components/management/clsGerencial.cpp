#include <algorithm>
#include <cstdio>
#include <optional>

#include "zelt/ado/connection.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/management.hpp"

namespace zelt::management {

namespace {

// A regional date. The start of a year ending on 29/02 names 29/02 of a year without it: a day
// past the end of its month is read as the month's last day.
std::optional<Date> lerData(const std::string& texto) {
    if (auto d = Date::parseRegional(texto)) return d;
    int dia = 0, mes = 0, ano = 0, lidos = 0;
    if (std::sscanf(texto.c_str(), "%2d/%2d/%4d%n", &dia, &mes, &ano, &lidos) != 3 ||
        static_cast<size_t>(lidos) != texto.size() || dia < 29 || dia > 31)
        return std::nullopt;
    for (int d = dia - 1; d >= 28; --d)
        if (auto data = Date::fromParts({ano, mes, d})) return data;
    return std::nullopt;
}

// A regional date as the start or end of a Jet date literal.
std::string literal(const std::string& texto, const char* hora) {
    auto d = lerData(texto);
    if (!d) throwError(err::TypeMismatch, "A data '" + texto + "' não é uma data válida (dd/mm/aaaa).");
    return "#" + d->format("mm/dd/yyyy") + " " + hora + "#";
}

struct Receita {
    int32_t cliente;
    Currency valor;
};

}  // namespace

int16_t clsGerencial::SelecionarCurvaABCporLucratividadeDeClientes(std::string& dataFinal, std::string& dataInicial) {
    int ponto = 1;
    try {
        auto dados = CreateObject("ZELT_I_ADO.clsObjetosDeDados");
        ponto = 2;
        if (callByName(*dados, "AbrirConexao").toInt16() != 0) {
            numeroDoErro_ = getProperty(*dados, "NumeroDoErro").toInt32();
            descricaoDoErro_ = getProperty(*dados, "DescricaoDoErro").toText();
            if (descricaoDoErro_.empty()) descricaoDoErro_ = getProperty(*dados, "DescricaoDaFalha").toText();
            localDoErro_ = getProperty(*dados, "LocalDoErro").toText();
            return 1;
        }
        auto conexao = refCast<ado::Connection>(getProperty(*dados, "ReferenciaDeConexao").toObject());
        if (!conexao) throwError(err::ObjectVariableNotSet);
        ponto = 3;
        const std::string sql =
            "SELECT ContasAReceber.CodigoDoCliente AS CodigoDoCliente, Sum(ContasAReceber.ValorDoDocumento) AS Valor "
            "FROM ContasAReceber WHERE ContasAReceber.CodigoDoCliente Is Not Null And (ContasAReceber.DataDaBaixa Between " +
            literal(dataInicial, "00:00:00") + " And " + literal(dataFinal, "23:59:59") +
            ") GROUP BY ContasAReceber.CodigoDoCliente";
        auto rs = conexao->Execute(sql);
        ponto = 4;
        std::vector<Receita> receitas;
        Currency total;
        if (rs && rs->get_RecordCount() > 0)
            for (rs->MoveFirst(); !rs->get_EOF(); rs->MoveNext()) {
                const Variant v = (*rs)("Valor");
                const Currency valor = v.isNull() ? Currency() : v.toCurrency();
                receitas.push_back({(*rs)("CodigoDoCliente").toInt32(), valor});
                total += valor;
            }
        std::stable_sort(receitas.begin(), receitas.end(), [](const Receita& a, const Receita& b) {
            return a.valor != b.valor ? a.valor > b.valor : a.cliente < b.cliente;
        });
        ponto = 5;
        auto classificacao = make<ado::Recordset>();
        classificacao->get_Fields().Append("Classificacao", ado::adVarWChar, 1);
        classificacao->get_Fields().Append("CodigoDoCliente", ado::adInteger, 4);
        classificacao->Open();
        // A client is A while what came before it is under 80% of the total, B while under 95%.
        const __int128 cem = total.raw();
        __int128 antes = 0;
        for (const auto& r : receitas) {
            const char* classe = antes * 100 < cem * 80 ? "A" : antes * 100 < cem * 95 ? "B" : "C";
            classificacao->AddNew();
            classificacao->get_Fields().Item(0)->put_Value(Variant(classe));
            classificacao->get_Fields().Item(1)->put_Value(Variant(r.cliente));
            classificacao->Update();
            antes += r.valor.raw();
        }
        if (!receitas.empty()) classificacao->MoveFirst();
        ponto = 6;
        callByName(*dados, "FecharConexao");
        resultado_ = classificacao;
        return 0;
    } catch (const RuntimeError& e) {
        numeroDoErro_ = e.number();
        descricaoDoErro_ = e.description();
        localDoErro_ = "ZELT_N_Gerencial, clsGerencial, SelecionarCurvaABCporLucratividadeDeClientes, Ponto: " + std::to_string(ponto);
        return 1;
    }
}

const DispatchTable& clsGerencial::table() const {
    using G = clsGerencial;
    auto ler = [](std::string nome, VarType t, std::function<Variant(const G&)> f) {
        return Member{std::move(nome), InvokeKind::PropertyGet, {}, t, [f](Object& o, std::span<Variant>) { return f(static_cast<G&>(o)); }};
    };
    static const DispatchTable t(
        "_clsGerencial",
        {
            Member{"SelecionarCurvaABCporLucratividadeDeClientes", InvokeKind::Method,
                   {{"dataFinal", VarType::String, false, true}, {"dataInicial", VarType::String, false, true}}, VarType::I2,
                   [](Object& o, std::span<Variant> a) {
                       std::string fim = a[0].toText(), inicio = a[1].toText();
                       const int16_t r = static_cast<G&>(o).SelecionarCurvaABCporLucratividadeDeClientes(fim, inicio);
                       a[0] = Variant(fim);
                       a[1] = Variant(inicio);
                       return Variant(r);
                   }},
            ler("ResultadoDaSelecaoEmRecordset", VarType::Object, [](const G& g) { return Variant(g.get_ResultadoDaSelecaoEmRecordset()); }),
            ler("NumeroDoErro", VarType::I4, [](const G& g) { return Variant(g.get_NumeroDoErro()); }),
            ler("DescricaoDoErro", VarType::String, [](const G& g) { return Variant(g.get_DescricaoDoErro()); }),
            ler("LocalDoErro", VarType::String, [](const G& g) { return Variant(g.get_LocalDoErro()); }),
        });
    return t;
}

namespace {
// The class object is there as soon as the library is loaded, as a COM server's is.
const bool offeredOnLoad = (registry::offerClass({ProgId, ClassId, LibraryName, "Apartment",
                                                   [] { return Ref<Object>(make<clsGerencial>()); }}),
                            true);
}  // namespace

int32_t DllRegisterServer() { return registry::registerLibrary(LibraryName); }
int32_t DllUnregisterServer() { return registry::unregisterLibrary(LibraryName); }

}  // namespace zelt::management
