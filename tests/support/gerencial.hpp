#pragma once
// A management component registered under its ProgID whose ABC classification the test chooses,
// and which records what it was asked.
#include <utility>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"

namespace zelt::testing_support {

// ZELT_N_Gerencial.clsGerencial as the test sets it up: what it answers and what it was asked.
struct Gerencial {
    int16_t resultado = 0;
    std::vector<std::pair<Variant, Variant>> classificacao;  // Classificacao, CodigoDoCliente
    int criados = 0;
    std::vector<std::string> periodo;  // the two texts of the last request
};
inline Gerencial& gerencial() {
    static Gerencial g;
    return g;
}

class GerencialDeTeste : public Dispatchable {
public:
    GerencialDeTeste() { ++gerencial().criados; }
    const DispatchTable& table() const override {
        static const DispatchTable t(
            "_clsGerencial",
            {Member{"SelecionarCurvaABCporLucratividadeDeClientes", InvokeKind::Method,
                    {{"lstrDataFinal", VarType::String, false, true}, {"lstrDataInicial", VarType::String, false, true}},
                    VarType::I2,
                    [](Object&, std::span<Variant> a) {
                        gerencial().periodo = {a[0].toText(), a[1].toText()};
                        return Variant(gerencial().resultado);
                    }},
             Member{"ResultadoDaSelecaoEmRecordset", InvokeKind::PropertyGet, {}, VarType::Object,
                    [](Object&, std::span<Variant>) {
                        std::vector<std::vector<Variant>> linhas;
                        for (const auto& [classe, codigo] : gerencial().classificacao) linhas.push_back({classe, codigo});
                        return Variant(ado::Recordset::fromRows(
                            {{"Classificacao", ado::adVarWChar, 1}, {"CodigoDoCliente", ado::adVariant, 0}}, std::move(linhas)));
                    }}});
        return t;
    }
};

// From now on, until the registry is made again, the management component is the stand-in, asked nothing yet.
inline void usarGerencialDeTeste() {
    gerencial() = Gerencial{};
    ClassInfo info{"ZELT_N_Gerencial.clsGerencial", "{3B7E1C42-55A0-4D8E-9F21-7A6C0B9D1E02}", "ZELT_TEST_Gerencial",
                   "Apartment", [] { return Ref<Object>(make<GerencialDeTeste>()); }};
    registry::offerClass(info);
    registry::registerProgId(info);
}

}  // namespace zelt::testing_support
