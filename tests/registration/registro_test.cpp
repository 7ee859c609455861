// The component's entry points: self-registration of its three classes with their type library,
// the class factory and the unload test, which counts every object the library hands out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

#include "clientanim/frame/objetos_do_chamador.hpp"
#include "test_database.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"
#include "zelt/clientanim/clsClientes.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

using namespace zelt;

namespace {

constexpr int32_t SOk = 0, SFalse = 1, SelfRegClassFailed = static_cast<int32_t>(0x80040201);

// The component's fixed identifiers differ only in their last two digits.
std::string guid(const std::string& fim) { return "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C" + fim + "}"; }

// Every library's entry points and the classes they register.
struct Biblioteca { int32_t (*registrar)(); int32_t (*remover)(); std::vector<std::string> progIds; };
const Biblioteca Bibliotecas[] = {
    {DllRegisterServer, DllUnregisterServer, {"ZELT_N_ClientAnim.clsAnimais", "ZELT_N_ClientAnim.clsClientes", "ZELT_N_ClientAnim.clsClientAnim"}},
    {dataaccess::DllRegisterServer, dataaccess::DllUnregisterServer, {"ZELT_I_ADO.clsObjetosDeDados"}},
    {management::DllRegisterServer, management::DllUnregisterServer, {"ZELT_N_Gerencial.clsGerencial"}},
    {texttreatment::DllRegisterServer, texttreatment::DllUnregisterServer, {"ZELT_N_TrataDados.clsTratamento"}}};
const std::vector<std::string>& Classes = Bibliotecas[0].progIds;

class Registro : public ::testing::Test {
protected:
    Registro() { ::setenv("ZELT_REGISTRY", caminho_.c_str(), 1); }
    static void criaveis(bool sim) {
        for (const auto& progId : Classes) {
            int32_t erro = 0;
            try { CreateObject(progId); } catch (const RuntimeError& e) { erro = e.number(); }
            EXPECT_EQ(erro, sim ? 0 : err::CannotCreateObject) << progId;
        }
    }

    testing_support::TempDirectory pasta_;
    const std::filesystem::path caminho_ = pasta_.path() / "registry.json";
};

// The classes and their type library are registered (twice changes nothing) and removed together.
TEST_F(Registro, RegisterCreateUnloadUnregister) {
    ASSERT_EQ(texttreatment::DllRegisterServer(), SOk);
    criaveis(false);
    for (int vez = 0; vez < 2; ++vez) ASSERT_EQ(DllRegisterServer(), SOk);
    criaveis(true);
    for (size_t i = 0; i < Classes.size(); ++i) EXPECT_EQ(registry::clsidOfProgId(Classes[i]), guid("0" + std::to_string(i + 1)));
    using Valores = std::vector<std::pair<std::string, int32_t>>;
    const Valores listas{{"ListaPaginada", 1}, {"ListaCompleta", 2}};
    const Valores situacoes{{"TodasAsSituacoes", 0}, {"RegistroAtivo", 1},    {"RegistroInativo", 2},
                            {"RegistroBloqueado", 3}, {"RegistroExcluido", 4}, {"RegistroRecente", 5}};
    // Each interface as its class's member table serves it, in the order a reader finds them.
    const TypeLibraryInfo esperada{
        guid("00"), "ZELT_N_ClientAnim", "1.0", 0x409, "ZELT - Negócios - Cadastro de clientes e animais",
        {registry::describeInterface(clientanim::clsAnimais::tabela(), guid("11"), guid("01")),
         registry::describeInterface(clientanim::clsClientAnim::tabela(), guid("13"), guid("03")),
         registry::describeInterface(clientanim::clsClientes::tabela(), guid("12"), guid("02"))},
        {{"penuSituacaoAnimais", guid("24"), Valores(situacoes.begin(), situacoes.begin() + 3)},
         {"penuSituacaoClientes", guid("25"), situacoes}, {"penuSituacaoClientesEAnimais", guid("26"), situacoes},
         {"penuTipoDeListaAnimais", guid("21"), listas}, {"penuTipoDeListaClientes", guid("22"), listas},
         {"penuTipoDeListaClientesEAnimais", guid("23"), listas}}};
    EXPECT_TRUE(registry::registeredTypeLibrary(guid("00")) == esperada);
    // Unloading only when no object of the library lives.
    ASSERT_EQ(DllCanUnloadNow(), SOk);
    const std::function<Ref<Object>()> criadores[] = {
        [] { return CreateObject("ZELT_N_ClientAnim.clsAnimais"); }, [] { return CreateObject("ZELT_N_ClientAnim.clsClientAnim"); },
        [] { return make<clientanim::DadosDoUsuarioEmMemoria>(); }, [] { return make<clientanim::GradeEmMemoria>(); }};
    for (const auto& criar : criadores) {
        auto objeto = criar();
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
    }
    // The class factory creates by class identifier, and counts while it lives.
    void* fabrica = nullptr;
    EXPECT_EQ(DllGetClassObject(guid("99").c_str(), nullptr, &fabrica), static_cast<int32_t>(0x80040111));
    EXPECT_EQ(fabrica, nullptr);
    ASSERT_EQ(DllGetClassObject(guid("02").c_str(), nullptr, &fabrica), SOk);
    EXPECT_EQ(DllCanUnloadNow(), SFalse);
    {
        Ref<Object> f(static_cast<Object*>(fabrica));
        static_cast<Object*>(fabrica)->Release();  // the reference DllGetClassObject handed over
        Ref<Object> clientes = callByName(*f, "CreateInstance").toObject();
        ASSERT_TRUE(clientes);
        EXPECT_EQ(getProperty(*clientes, "NumeroDoErro").toInt32(), 0);
    }
    EXPECT_EQ(DllCanUnloadNow(), SOk);
    ASSERT_EQ(DllUnregisterServer(), SOk);
    EXPECT_FALSE(registry::registeredTypeLibrary(guid("00")));
    criaveis(false);
    // The text-treatment component's own registration is left alone.
    EXPECT_TRUE(registry::clsidOfProgId("ZELT_N_TrataDados.clsTratamento"));
}

// Registries that cannot be written, whoever runs the test: every library's entry points answer
// SELFREG_E_CLASS instead of throwing, and the place is left as it was.
TEST_F(Registro, AnUnusableRegistryIsAFailureCodeAndNothingIsWritten) {
    namespace fs = std::filesystem;
    const fs::path lugar = pasta_.path() / "lugar";
    // What is made in the place, and where ZELT_REGISTRY then points (none: XDG_CONFIG_HOME names the place).
    struct Caso { const char* pasta; const char* arquivo; const char* registro; };
    const Caso casos[] = {{"registry.json", nullptr, "registry.json"},  // ZELT_REGISTRY naming a folder
                          {"", "config", "config/registry.json"},      // a plain file in the way of its folder
                          {"", "zelt", nullptr}};                      // ... in the way of the user's zelt folder
    const auto conteudo = [&] {
        std::map<std::string, uintmax_t> c;
        for (const auto& e : fs::recursive_directory_iterator(lugar)) c[e.path()] = e.is_regular_file() ? e.file_size() : 0;
        return c;
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.arquivo ? k.arquivo : k.pasta);
        fs::create_directories(lugar / k.pasta);
        if (k.arquivo) std::ofstream(lugar / k.arquivo) << "{}";
        if (k.registro) ::setenv("ZELT_REGISTRY", (lugar / k.registro).c_str(), 1);
        else ::unsetenv("ZELT_REGISTRY"), ::setenv("XDG_CONFIG_HOME", lugar.c_str(), 1);
        const auto antes = conteudo();
        for (const Biblioteca& b : Bibliotecas) {
            EXPECT_EQ(b.registrar(), SelfRegClassFailed) << b.progIds[0];
            EXPECT_EQ(b.remover(), SelfRegClassFailed) << b.progIds[0];
        }
        criaveis(false);
        EXPECT_EQ(conteudo(), antes);
        fs::remove_all(lugar);
    }
}

// Programs that start at the same time each register their libraries: none may write back a
// registry that lacks what another has just added.
TEST_F(Registro, ProcessesRegisteringAtOnceLoseNoEntry) {
    std::vector<pid_t> filhos;
    for (int i = 0; i < 8; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(Bibliotecas[i % 4].registrar() == 0 ? 0 : 1);
        filhos.push_back(pid);
    }
    for (const pid_t pid : filhos) {
        int status = 0;
        EXPECT_TRUE(::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const Biblioteca& b : Bibliotecas)
        for (const auto& progId : b.progIds) EXPECT_TRUE(registry::clsidOfProgId(progId)) << progId;
    EXPECT_TRUE(registry::registeredTypeLibrary(guid("00")));
}

}  // namespace
