// The component's entry points: self-registration of its three classes and the class factory.
#include "clientanim/registration/fabricas.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "clientanim/frame/objeto_de_negocio.hpp"
#include "zelt/automation/registry.hpp"

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
    return registry::registerLibrary("ZELT_N_ClientAnim");
}

int32_t DllUnregisterServer() { return registry::unregisterLibrary("ZELT_N_ClientAnim"); }

// S_OK with the class factory in *ppv (one reference), CLASS_E_CLASSNOTAVAILABLE otherwise.
int32_t DllGetClassObject(const char* clsid, const char* /*iid*/, void** ppv) {
    constexpr int32_t ClassNotAvailable = static_cast<int32_t>(0x80040111);
    if (!ppv) return static_cast<int32_t>(0x80004003);  // E_POINTER
    *ppv = nullptr;
    clientanim::oferecerClasses();
    const ClassInfo* info = registry::classObject(clsid ? clsid : "");
    if (!info || info->library != "ZELT_N_ClientAnim") return ClassNotAvailable;
    auto* fabrica = new clientanim::FabricaDeClasse(*info);
    fabrica->AddRef();
    *ppv = fabrica;
    return 0;
}

// S_OK (0) when no object of the library lives, S_FALSE (1) otherwise.
int32_t DllCanUnloadNow() { return clientanim::ObjetoDeNegocio::objetosVivos() == 0 ? 0 : 1; }
}
