#include "demo_animais.hpp"
#include "demo_comum.hpp"

#include <iostream>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"

using namespace zelt;

namespace {

bool concluido(Object& animais, const char* operacao, const Variant& resultado) {
    if (resultado.toInt16() == 0) return true;
    relatarFalha(animais, std::string("clsAnimais.") + operacao, resultado);
    return false;
}

}  // namespace

bool demonstrarAnimais(const Ref<Object>& usuario, double codigoDoCliente, const std::pair<std::string, std::string>& raca) {
    auto animais = CreateObject("ZELT_N_ClientAnim.clsAnimais");
    putRefProperty(*animais, "DadosDoUsuario", usuario);
    putProperty(*animais, "CodigoDoCliente", Variant(codigoDoCliente));
    putProperty(*animais, "Nome", Variant("Tom"));
    putProperty(*animais, "Sexo", Variant("M"));
    putProperty(*animais, "DataDeNascimento", Variant("02/08/2021"));
    putProperty(*animais, "CodigoDaEspecie", Variant(raca.first));
    putProperty(*animais, "CodigoDaRaca", Variant(raca.second));
    putProperty(*animais, "Porte", Variant("Médio"));
    putProperty(*animais, "Cor", Variant("Preto"));
    putProperty(*animais, "Situacao", Variant(int16_t{1}));
    if (!concluido(*animais, "Adicionar", callByName(*animais, "Adicionar"))) return false;
    std::cout << "Animal incluído (clsAnimais.Adicionar): Tom, código " << getProperty(*animais, "CodigoGerado").toText() << ".\n";

    // All statuses, living and dead, of this client only.
    const Variant resultado =
        callByName(*animais, "Selecionar", {Variant(int16_t{2}), Variant(int16_t{0}), Variant(int16_t{0}), Variant(),
                                            Variant(int16_t{3}), Variant(codigoDoCliente)});
    if (!concluido(*animais, "Selecionar", resultado)) return false;
    auto rs = refCast<ado::Recordset>(getProperty(*animais, "ResultadoDaSelecaoEmRecordset").toObject());
    std::cout << "Animais do cliente (clsAnimais.Selecionar): " << rs->get_RecordCount() << "\n";
    for (rs->MoveFirst(); !rs->get_EOF(); rs->MoveNext())
        std::cout << "  " << campo(*rs, "CodigoDoAnimal") << "  " << campo(*rs, "Nome") << " — " << campo(*rs, "Sexo")
                  << ", " << campo(*rs, "NomeDaEspecie") << ", " << campo(*rs, "NomeDaRaca") << " — "
                  << campo(*rs, "NomeDaSituacao") << "\n";

    std::vector<Variant> argumentos{Variant(codigoDoCliente), Variant("")};
    if (!concluido(*animais, "SelecionarAnimaisEmUmUnicoRegistro",
                   callByNameRef(*animais, "SelecionarAnimaisEmUmUnicoRegistro", argumentos)))
        return false;
    std::cout << "Em uma linha (clsAnimais.SelecionarAnimaisEmUmUnicoRegistro): " << argumentos[1].toText() << "\n\n";
    return true;
}
