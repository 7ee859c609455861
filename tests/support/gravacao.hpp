#pragma once
// A data-access object registered under the data-access ProgID whose connection records every
// text it receives and forwards it to the real Jet engine; a test may make a text fail or the
// opening answer 1 or 3.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "zelt/ado/connection.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::testing_support {

struct Gravacao {
    std::vector<std::string> textos;
    std::function<void(const std::string&)> antesDeExecutar;  // may throw a RuntimeError
    int16_t resultadoDaAbertura = 0, resultadoDoFechamento = 0;
    std::vector<std::string> membros;  // the data-access members called, in order

    size_t contar(const std::string& inicio) const {
        return std::count_if(textos.begin(), textos.end(), [&](const std::string& t) { return t.starts_with(inicio); });
    }
    const std::string& ultimoQueComeca(const std::string& inicio) const {
        static const std::string nenhum;
        const auto it = std::find_if(textos.rbegin(), textos.rend(), [&](const std::string& t) { return t.starts_with(inicio); });
        return it == textos.rend() ? nenhum : *it;
    }
    // The engine raises `erro` instead of running a text that begins with, or holds, `trecho`.
    void falharNoInicio(std::string trecho, RuntimeError erro) { falhar(std::move(trecho), std::move(erro), true); }
    void falharNoTrecho(std::string trecho, RuntimeError erro) { falhar(std::move(trecho), std::move(erro), false); }
    void falhar(std::string trecho, RuntimeError erro, bool noInicio) {
        antesDeExecutar = [=](const std::string& t) {
            if (noInicio ? t.starts_with(trecho) : t.find(trecho) != std::string::npos) throw erro;
        };
    }
};

inline Gravacao& gravacao() {
    static Gravacao g;
    return g;
}

class MotorGravador : public ado::Engine {
public:
    explicit MotorGravador(std::unique_ptr<ado::Engine> real) : real_(std::move(real)) {}
    Ref<ado::Recordset> execute(std::string_view text, int64_t& rowsAffected) override {
        gravacao().textos.emplace_back(text);
        if (gravacao().antesDeExecutar) gravacao().antesDeExecutar(std::string(text));
        return real_->execute(text, rowsAffected);
    }
    void begin() override { real_->begin(); }
    void commit() override { real_->commit(); }
    void rollback() override { real_->rollback(); }
    void close() override { real_->close(); }

private:
    std::unique_ptr<ado::Engine> real_;
};

// A connection on the recording engine, to the database the component would open.
inline Ref<ado::Connection> conexaoGravada() {
    return make<ado::Connection>(std::make_unique<MotorGravador>(jet::openDatabase(jet::defaultDatabasePath())));
}

class DadosDeAcessoGravados : public Dispatchable {
public:
    static constexpr const char* LocalDaAbertura = "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2";
    static constexpr const char* DescricaoDaFalha = "O servidor de banco de dados não responde.";

    const DispatchTable& table() const override {
        using D = DadosDeAcessoGravados;
        auto membro = [](std::string nome, VarType tipo, std::function<Variant(D&)> f,
                         InvokeKind tipoDeMembro = InvokeKind::PropertyGet) {
            return Member{nome, tipoDeMembro, {}, tipo, [nome, f](Object& o, std::span<Variant>) {
                              gravacao().membros.push_back(nome);
                              return f(static_cast<D&>(o));
                          }};
        };
        static const DispatchTable t(
            "_clsObjetosDeDados",
            {membro("AbrirConexao", VarType::I2, [](D& d) {
                 if (gravacao().resultadoDaAbertura == 0) d.conexao_ = conexaoGravada();
                 return Variant(gravacao().resultadoDaAbertura);
             }, InvokeKind::Method),
             membro("FecharConexao", VarType::I2, [](D& d) { return d.conexao_.reset(), Variant(gravacao().resultadoDoFechamento); },
                 InvokeKind::Method),
             membro("ReferenciaDeConexao", VarType::Object, [](D& d) { return Variant(d.conexao_); }),
             membro("ReferenciaDeRecordset", VarType::Object, [](D&) { return Variant(make<ado::Recordset>()); }),
             membro("NumeroDoErro", VarType::I4, [](D&) { return Variant(int32_t{-2147467259}); }),
             membro("DescricaoDoErro", VarType::String, [](D&) { return Variant("O banco de dados não abriu."); }),
             membro("LocalDoErro", VarType::String, [](D&) { return Variant(LocalDaAbertura); }),
             membro("DescricaoDaFalha", VarType::String, [](D&) { return Variant(DescricaoDaFalha); })});
        return t;
    }

private:
    Ref<ado::Connection> conexao_;
};

// From now on, until the registry is made again, operations get the recording data-access object.
inline void gravarOsTextos() {
    gravacao() = Gravacao{};
    ClassInfo info{"ZELT_I_ADO.clsObjetosDeDados", "{5E0D7A11-3B2C-4D6E-8F90-A1B2C3D4E5F6}", "ZELT_TEST_Gravador",
                   "Apartment", [] { return Ref<Object>(make<DadosDeAcessoGravados>()); }};
    registry::offerClass(info);
    registry::registerProgId(info);
}

}  // namespace zelt::testing_support
