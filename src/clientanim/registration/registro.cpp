// The component's entry points: self-registration of its three classes with their type library,
// and the class factory.
#include "clientanim/registration/fabricas.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/objeto_de_negocio.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {
constexpr const char* Biblioteca = "ZELT_N_ClientAnim";

// Fixed once assigned: callers bound to the type library rely on them.
const ClassInfo& classe(int i) {
    static const ClassInfo classes[] = {
        {"ZELT_N_ClientAnim.clsAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C01}", Biblioteca, "Apartment", criarClsAnimais},
        {"ZELT_N_ClientAnim.clsClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C02}", Biblioteca, "Apartment", criarClsClientes},
        {"ZELT_N_ClientAnim.clsClientAnim", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C03}", Biblioteca, "Apartment", criarClsClientAnim},
    };
    return classes[i];
}

// The type library: its identifiers are as fixed as the classes'; the members come from the
// classes' own tables, the values from the component's own enumerations.
TypeLibraryInfo bibliotecaDeTipos() {
    using Valores = std::vector<std::pair<std::string, int32_t>>;
    const Valores tiposDeLista{{"ListaPaginada", ListaPaginada}, {"ListaCompleta", ListaCompleta}};
    const Valores situacoes{{"TodasAsSituacoes", TodasAsSituacoes}, {"RegistroAtivo", RegistroAtivo},
                            {"RegistroInativo", RegistroInativo},   {"RegistroBloqueado", RegistroBloqueado},
                            {"RegistroExcluido", RegistroExcluido}, {"RegistroRecente", RegistroRecente}};
    const Valores situacoesDosAnimais(situacoes.begin(), situacoes.begin() + RegistroInativo + 1);
    return {
        "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C00}", Biblioteca, "1.0", 0x409,
        "ZELT - Negócios - Cadastro de clientes e animais",
        {registry::describeInterface(clsAnimais::tabela(), "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C11}", classe(0).clsid),
         registry::describeInterface(clsClientes::tabela(), "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C12}", classe(1).clsid),
         registry::describeInterface(clsClientAnim::tabela(), "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C13}", classe(2).clsid)},
        {{"penuTipoDeListaAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C21}", tiposDeLista},
         {"penuTipoDeListaClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C22}", tiposDeLista},
         {"penuTipoDeListaClientesEAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C23}", tiposDeLista},
         {"penuSituacaoAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C24}", situacoesDosAnimais},
         {"penuSituacaoClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C25}", situacoes},
         {"penuSituacaoClientesEAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C26}", situacoes}},
    };
}

// The class factory handed out by DllGetClassObject; it counts as an object of the library.
class FabricaDeClasse : public Dispatchable {
public:
    explicit FabricaDeClasse(const ClassInfo& info) : info_(info) {}
    Ref<Object> CreateInstance() const { return info_.factory(); }
    const DispatchTable& table() const override {
        static const DispatchTable t("IClassFactory", {
            Member{"CreateInstance", InvokeKind::Method, {}, VarType::Object,
                   [](Object& o, std::span<Variant>) { return Variant(static_cast<FabricaDeClasse&>(o).CreateInstance()); }},
        });
        return t;
    }

private:
    ContadorDaBiblioteca contador_;
    const ClassInfo& info_;
};
}  // namespace

void oferecerClasses() {
    for (int i = 0; i < 3; ++i) registry::offerClass(classe(i));
}

namespace {
const bool oferecidas = (oferecerClasses(), true);
}

}  // namespace zelt::clientanim

using namespace zelt;

extern "C" {

int32_t DllRegisterServer() {
    clientanim::oferecerClasses();
    registry::offerTypeLibrary(clientanim::bibliotecaDeTipos());  // built only to be registered
    return registry::registerLibrary(clientanim::Biblioteca);
}

int32_t DllUnregisterServer() { return registry::unregisterLibrary(clientanim::Biblioteca); }

// S_OK with the class factory in *ppv (one reference), CLASS_E_CLASSNOTAVAILABLE otherwise.
int32_t DllGetClassObject(const char* clsid, const char* /*iid*/, void** ppv) {
    constexpr int32_t ClassNotAvailable = static_cast<int32_t>(0x80040111);
    if (!ppv) return static_cast<int32_t>(0x80004003);  // E_POINTER
    *ppv = nullptr;
    clientanim::oferecerClasses();
    const ClassInfo* info = registry::classObject(clsid ? clsid : "");
    if (!info || info->library != clientanim::Biblioteca) return ClassNotAvailable;
    auto* fabrica = new clientanim::FabricaDeClasse(*info);
    fabrica->AddRef();
    *ppv = fabrica;
    return 0;
}

// S_OK (0) when no object of the library lives, S_FALSE (1) otherwise.
int32_t DllCanUnloadNow() { return clientanim::ObjetoDeNegocio::objetosVivos() == 0 ? 0 : 1; }
}
