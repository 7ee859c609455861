#pragma once
// A data-access object registered under the data-access ProgID whose connection records every
// text it receives and forwards it to the real Jet engine; a test may make one text fail.
#include <functional>
#include <string>
#include <vector>

#include "zelt/ado/connection.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/jet/engine.hpp"

namespace teste {

using namespace zelt;

struct Gravacao {
    std::vector<std::string> textos;
    std::function<void(const std::string&)> antesDeExecutar;  // may throw a RuntimeError
    int16_t resultadoDaAbertura = 0;

    size_t contar(const std::string& inicio) const {
        size_t n = 0;
        for (const auto& t : textos) n += t.rfind(inicio, 0) == 0;
        return n;
    }
    const std::string& ultimoQueComeca(const std::string& inicio) const {
        static const std::string nenhum;
        for (auto it = textos.rbegin(); it != textos.rend(); ++it)
            if (it->rfind(inicio, 0) == 0) return *it;
        return nenhum;
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

class DadosDeAcessoGravados : public Dispatchable {
public:
    int16_t AbrirConexao() {
        if (gravacao().resultadoDaAbertura == 0)
            conexao_ = make<ado::Connection>(std::make_unique<MotorGravador>(jet::openDatabase(jet::defaultDatabasePath())));
        return gravacao().resultadoDaAbertura;
    }
    const DispatchTable& table() const override {
        using D = DadosDeAcessoGravados;
        static const DispatchTable t("clsObjetosDeDados", {
            Member{"AbrirConexao", InvokeKind::Method, {}, VarType::I2,
                   [](Object& o, std::span<Variant>) { return Variant(static_cast<D&>(o).AbrirConexao()); }},
            Member{"ReferenciaDeConexao", InvokeKind::PropertyGet, {}, VarType::Object,
                   [](Object& o, std::span<Variant>) { return Variant(static_cast<D&>(o).conexao_); }},
            Member{"ReferenciaDeRecordset", InvokeKind::PropertyGet, {}, VarType::Object,
                   [](Object&, std::span<Variant>) { return Variant(make<ado::Recordset>()); }},
            Member{"FecharConexao", InvokeKind::Method, {}, VarType::I2,
                   [](Object&, std::span<Variant>) { return Variant(int16_t{0}); }},
            Member{"NumeroDoErro", InvokeKind::PropertyGet, {}, VarType::I4,
                   [](Object&, std::span<Variant>) { return Variant(int32_t{-2147467259}); }},
            Member{"DescricaoDoErro", InvokeKind::PropertyGet, {}, VarType::String,
                   [](Object&, std::span<Variant>) { return Variant("O banco de dados não abriu."); }},
            Member{"LocalDoErro", InvokeKind::PropertyGet, {}, VarType::String,
                   [](Object&, std::span<Variant>) { return Variant("ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2"); }},
            Member{"DescricaoDaFalha", InvokeKind::PropertyGet, {}, VarType::String,
                   [](Object&, std::span<Variant>) { return Variant("O servidor de banco de dados não responde."); }},
        });
        return t;
    }

private:
    Ref<ado::Connection> conexao_;
};

// From now on, until the registry is made again, operations get the recording data-access object.
inline void gravarOsTextos() {
    gravacao() = Gravacao{};
    ClassInfo info{"ZELT_I_ADO.clsObjetosDeDados", "{5E0D7A11-3B2C-4D6E-8F90-A1B2C3D4E5F6}", "TesteDosAnimais",
                   "Apartment", [] { return Ref<Object>(make<DadosDeAcessoGravados>()); }};
    registry::offerClass(info);
    registry::registerProgId(info);
}

}  // namespace teste
