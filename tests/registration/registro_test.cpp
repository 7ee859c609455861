// The component's entry points: self-registration of its three classes with their type library,
// the class factory and the unload test, which counts every object the library hands out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

#include "clientanim/frame/objetos_do_chamador.hpp"
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
constexpr const char* Libid = "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C00}";

class Registro : public ::testing::Test {
protected:
    void SetUp() override {
        caminho_ = std::filesystem::temp_directory_path() /
                   ("zelt-registro-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".json");
        ::setenv("ZELT_REGISTRY", caminho_.c_str(), 1);
        ASSERT_EQ(texttreatment::DllRegisterServer(), 0);
    }
    void TearDown() override { std::filesystem::remove(caminho_); }

    static int32_t erroDe(std::string_view progId) {
        try {
            CreateObject(progId);
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    }

    std::filesystem::path caminho_;
};

const std::map<std::string, std::string> Classes = {
    {"ZELT_N_ClientAnim.clsAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C01}"},
    {"ZELT_N_ClientAnim.clsClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C02}"},
    {"ZELT_N_ClientAnim.clsClientAnim", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C03}"},
};

// The classes and their type library are registered (twice changes nothing) and removed together.
TEST_F(Registro, RegisterCreateUnregister) {
    for (const auto& [progId, clsid] : Classes) EXPECT_EQ(erroDe(progId), err::CannotCreateObject) << progId;
    ASSERT_EQ(DllRegisterServer(), SOk);
    ASSERT_EQ(DllRegisterServer(), SOk);
    for (const auto& [progId, clsid] : Classes) {
        EXPECT_EQ(registry::clsidOfProgId(progId), clsid);
        EXPECT_EQ(erroDe(progId), 0) << progId;
    }
    const auto lib = registry::registeredTypeLibrary(Libid);
    ASSERT_TRUE(lib);
    EXPECT_EQ(lib->name, "ZELT_N_ClientAnim");
    EXPECT_EQ(lib->version, "1.0");
    EXPECT_EQ(lib->lcid, 0x409);
    EXPECT_EQ(lib->helpString, "ZELT - Negócios - Cadastro de clientes e animais");

    // Each interface as its class's member table serves it, under its own fixed identifier.
    struct Interface { const char* iid; const char* progId; const DispatchTable& tabela; };
    const std::map<std::string, Interface> interfaces = {
        {"_clsAnimais", {"{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C11}", "ZELT_N_ClientAnim.clsAnimais", clientanim::clsAnimais::tabela()}},
        {"_clsClientes", {"{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C12}", "ZELT_N_ClientAnim.clsClientes", clientanim::clsClientes::tabela()}},
        {"_clsClientAnim", {"{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C13}", "ZELT_N_ClientAnim.clsClientAnim", clientanim::clsClientAnim::tabela()}},
    };
    ASSERT_EQ(lib->interfaces.size(), interfaces.size());
    for (const auto& i : lib->interfaces) {
        const Interface& esperada = interfaces.at(i.name);
        EXPECT_EQ(i, registry::describeInterface(esperada.tabela, esperada.iid, Classes.at(esperada.progId))) << i.name;
    }
    using Valores = std::vector<std::pair<std::string, int32_t>>;
    const Valores listas{{"ListaPaginada", 1}, {"ListaCompleta", 2}};
    const Valores situacoes{{"TodasAsSituacoes", 0}, {"RegistroAtivo", 1},    {"RegistroInativo", 2},
                            {"RegistroBloqueado", 3}, {"RegistroExcluido", 4}, {"RegistroRecente", 5}};
    const std::vector<TypeLibraryInfo::Enumeration> enumeracoes = {  // in the order a reader finds them
        {"penuSituacaoAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C24}", Valores(situacoes.begin(), situacoes.begin() + 3)},
        {"penuSituacaoClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C25}", situacoes},
        {"penuSituacaoClientesEAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C26}", situacoes},
        {"penuTipoDeListaAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C21}", listas},
        {"penuTipoDeListaClientes", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C22}", listas},
        {"penuTipoDeListaClientesEAnimais", "{0B7A4E21-6C3D-4F8A-9E51-7D2C1A3B4C23}", listas},
    };
    EXPECT_EQ(lib->enumerations, enumeracoes);

    ASSERT_EQ(DllUnregisterServer(), SOk);
    EXPECT_FALSE(registry::registeredTypeLibrary(Libid));
    for (const auto& [progId, clsid] : Classes) EXPECT_EQ(erroDe(progId), err::CannotCreateObject) << progId;
    // The text-treatment component's own registration is left alone.
    EXPECT_TRUE(registry::clsidOfProgId("ZELT_N_TrataDados.clsTratamento"));
}

// Registries that cannot be written, whoever runs the test: every library's entry points answer
// SELFREG_E_CLASS instead of throwing, and the place is left as it was.
TEST_F(Registro, AnUnusableRegistryIsAFailureCodeAndNothingIsWritten) {
    namespace fs = std::filesystem;
    const fs::path lugar = caminho_.string() + ".lugar";
    const auto arquivo = [](const fs::path& p) { std::ofstream(p) << "{}"; };
    const struct {
        const char* nome;
        std::function<void()> preparar;  // leaves ZELT_REGISTRY or XDG_CONFIG_HOME naming the place
    } casos[] = {
        {"ZELT_REGISTRY naming a folder",
         [&] {
             fs::create_directory(lugar / "registry.json");
             ::setenv("ZELT_REGISTRY", (lugar / "registry.json").c_str(), 1);
         }},
        {"a plain file in the way of ZELT_REGISTRY's folder",
         [&] {
             arquivo(lugar / "config");
             ::setenv("ZELT_REGISTRY", (lugar / "config/registry.json").c_str(), 1);
         }},
        {"a plain file in the way of the user's zelt folder",
         [&] {
             arquivo(lugar / "zelt");
             ::unsetenv("ZELT_REGISTRY");
             ::setenv("XDG_CONFIG_HOME", lugar.c_str(), 1);
         }},
    };
    const auto conteudo = [&] {
        std::map<std::string, uintmax_t> c;
        for (const auto& e : fs::recursive_directory_iterator(lugar)) c[e.path()] = e.is_regular_file() ? e.file_size() : 0;
        return c;
    };
    for (const auto& caso : casos) {
        fs::create_directories(lugar);
        caso.preparar();
        const auto antes = conteudo();
        for (auto entrada : {DllRegisterServer, DllUnregisterServer, dataaccess::DllRegisterServer,
                             dataaccess::DllUnregisterServer, management::DllRegisterServer,
                             management::DllUnregisterServer, texttreatment::DllRegisterServer,
                             texttreatment::DllUnregisterServer})
            EXPECT_EQ(entrada(), SelfRegClassFailed) << caso.nome;
        EXPECT_EQ(erroDe("ZELT_N_ClientAnim.clsAnimais"), err::CannotCreateObject) << caso.nome;
        EXPECT_EQ(conteudo(), antes) << caso.nome;
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("ZELT_REGISTRY", caminho_.c_str(), 1);
        fs::remove_all(lugar);
    }
}

TEST_F(Registro, UnloadOnlyWhenNoObjectOfTheLibraryLives) {
    ASSERT_EQ(DllRegisterServer(), SOk);
    ASSERT_EQ(DllCanUnloadNow(), SOk);
    {
        auto animais = CreateObject("ZELT_N_ClientAnim.clsAnimais");
        auto listagem = CreateObject("ZELT_N_ClientAnim.clsClientAnim");
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
        animais.reset();
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
    }
    EXPECT_EQ(DllCanUnloadNow(), SOk);
    for (const auto& criar : {std::function<Ref<Object>()>([] { return make<clientanim::DadosDoUsuarioEmMemoria>(); }),
                              std::function<Ref<Object>()>([] { return make<clientanim::GradeEmMemoria>(); })}) {
        auto objeto = criar();
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
    }
    EXPECT_EQ(DllCanUnloadNow(), SOk);

    // The class factory creates by class identifier, and counts while it lives.
    void* fabrica = nullptr;
    EXPECT_EQ(DllGetClassObject("{00000000-0000-0000-0000-000000000000}", nullptr, &fabrica),
              static_cast<int32_t>(0x80040111));
    EXPECT_EQ(fabrica, nullptr);
    ASSERT_EQ(DllGetClassObject(Classes.at("ZELT_N_ClientAnim.clsClientes").c_str(), nullptr, &fabrica), SOk);
    EXPECT_EQ(DllCanUnloadNow(), SFalse);
    {
        Ref<Object> f(static_cast<Object*>(fabrica));
        static_cast<Object*>(fabrica)->Release();  // the reference DllGetClassObject handed over
        Ref<Object> clientes = callByName(*f, "CreateInstance").toObject();
        ASSERT_TRUE(clientes);
        EXPECT_EQ(getProperty(*clientes, "NumeroDoErro").toInt32(), 0);
    }
    EXPECT_EQ(DllCanUnloadNow(), SOk);
}

// Programs that start at the same time each register their libraries: none may write back a
// registry that lacks what another has just added.
TEST_F(Registro, ProcessesRegisteringAtOnceLoseNoEntry) {
    std::filesystem::remove(caminho_);
    std::vector<pid_t> filhos;
    for (int i = 0; i < 8; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            const bool ok = (i % 4 == 0 ? DllRegisterServer()
                             : i % 4 == 1 ? dataaccess::DllRegisterServer()
                             : i % 4 == 2 ? management::DllRegisterServer()
                                          : texttreatment::DllRegisterServer()) == 0;
            ::_exit(ok ? 0 : 1);
        }
        filhos.push_back(pid);
    }
    for (const pid_t pid : filhos) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char* progId : {"ZELT_N_ClientAnim.clsAnimais", "ZELT_N_ClientAnim.clsClientes",
                               "ZELT_N_ClientAnim.clsClientAnim", "ZELT_I_ADO.clsObjetosDeDados",
                               "ZELT_N_Gerencial.clsGerencial", "ZELT_N_TrataDados.clsTratamento"})
        EXPECT_TRUE(registry::clsidOfProgId(progId)) << progId;
    EXPECT_TRUE(registry::registeredTypeLibrary(Libid));
}

}  // namespace
