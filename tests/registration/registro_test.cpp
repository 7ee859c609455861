// The component's entry points: self-registration of its three classes, the class factory and the
// unload test, which counts every object the library hands out.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <sys/wait.h>
#include <unistd.h>

#include "clientanim/frame/objetos_do_chamador.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

using namespace zelt;

namespace {

constexpr int32_t SOk = 0, SFalse = 1;

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

TEST_F(Registro, RegisterCreateUnregister) {
    for (const auto& [progId, clsid] : Classes) EXPECT_EQ(erroDe(progId), err::CannotCreateObject) << progId;
    ASSERT_EQ(DllRegisterServer(), SOk);
    ASSERT_EQ(DllRegisterServer(), SOk);  // registering twice changes nothing
    for (const auto& [progId, clsid] : Classes) {
        EXPECT_EQ(registry::clsidOfProgId(progId), clsid);
        EXPECT_EQ(erroDe(progId), 0) << progId;
    }
    ASSERT_EQ(DllUnregisterServer(), SOk);
    for (const auto& [progId, clsid] : Classes) EXPECT_EQ(erroDe(progId), err::CannotCreateObject) << progId;
    // The text-treatment component's own registration is left alone.
    EXPECT_TRUE(registry::clsidOfProgId("ZELT_N_TrataDados.clsTratamento"));
}

TEST_F(Registro, TheClassFactoryCreatesByClassIdentifier) {
    void* fabrica = nullptr;
    EXPECT_EQ(DllGetClassObject("{00000000-0000-0000-0000-000000000000}", nullptr, &fabrica),
              static_cast<int32_t>(0x80040111));
    EXPECT_EQ(fabrica, nullptr);
    ASSERT_EQ(DllGetClassObject(Classes.at("ZELT_N_ClientAnim.clsClientes").c_str(), nullptr, &fabrica), SOk);
    Ref<Object> f(static_cast<Object*>(fabrica));
    static_cast<Object*>(fabrica)->Release();  // the reference DllGetClassObject handed over
    Ref<Object> clientes = callByName(*f, "CreateInstance").toObject();
    ASSERT_TRUE(clientes);
    EXPECT_EQ(getProperty(*clientes, "NumeroDoErro").toInt32(), 0);
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
    {
        auto usuario = make<clientanim::DadosDoUsuarioEmMemoria>();
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
    }
    {
        auto grade = make<clientanim::GradeEmMemoria>();
        EXPECT_EQ(DllCanUnloadNow(), SFalse);
    }
    void* fabrica = nullptr;
    ASSERT_EQ(DllGetClassObject(Classes.at("ZELT_N_ClientAnim.clsAnimais").c_str(), nullptr, &fabrica), SOk);
    EXPECT_EQ(DllCanUnloadNow(), SFalse);
    static_cast<Object*>(fabrica)->Release();
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
}

}  // namespace
