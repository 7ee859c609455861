#include "components/dataaccess/clsObjetosDeDados.hpp"

#include <new>

#include "zelt/automation/error.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::dataaccess {

clsObjetosDeDados::~clsObjetosDeDados() { encerrarConexao(); }

// Others may still hold the connection, but it ends with this object, its transaction undone.
void clsObjetosDeDados::encerrarConexao() noexcept {
    if (!conexao_) return;
    try {
        if (conexao_->inTransaction()) conexao_->RollbackTrans();
    } catch (...) {
    }
    try {
        if (conexao_->get_State() == ado::adStateOpen) conexao_->Close();
    } catch (...) {
    }
    conexao_.reset();
}

void clsObjetosDeDados::guardarErro(int32_t numero, std::string descricao, const char* operacao) {
    numeroDoErro_ = numero;
    descricaoDoErro_ = std::move(descricao);
    localDoErro_ = std::string("ZELT_I_ADO, clsObjetosDeDados, ") + operacao;
}

int16_t clsObjetosDeDados::AbrirConexao() {
    encerrarConexao();
    try {
        conexao_ = make<ado::Connection>(jet::openDatabase(jet::defaultDatabasePath()));
        return 0;
    } catch (const RuntimeError& e) {
        if (e.helpContext() == jet::err::CannotOpenHelpContext) {
            descricaoDaFalha_ = e.description();
            return 3;
        }
        guardarErro(e.number(), e.description(), "AbrirConexao");
    } catch (const std::bad_alloc&) {
        guardarErro(err::OutOfMemory, standardDescription(err::OutOfMemory), "AbrirConexao");
    } catch (const std::exception& e) {
        guardarErro(err::ProviderFailure, e.what(), "AbrirConexao");
    }
    return 1;
}

Ref<ado::Recordset> clsObjetosDeDados::get_ReferenciaDeRecordset() const { return make<ado::Recordset>(); }

int16_t clsObjetosDeDados::FecharConexao() {
    if (!conexao_) return 0;
    try {
        if (conexao_->get_State() == ado::adStateOpen) conexao_->Close();
        return 0;
    } catch (const RuntimeError& e) {
        guardarErro(e.number(), e.description(), "FecharConexao");
    } catch (const std::exception& e) {
        guardarErro(err::ProviderFailure, e.what(), "FecharConexao");
    }
    return 1;
}

namespace {

clsObjetosDeDados& self(Object& o) { return static_cast<clsObjetosDeDados&>(o); }

Member propertyGet(std::string name, VarType type, std::function<Variant(clsObjetosDeDados&)> get) {
    return Member{std::move(name), InvokeKind::PropertyGet, {}, type,
                  [get = std::move(get)](Object& o, std::span<Variant>) { return get(self(o)); }};
}

}  // namespace

const DispatchTable& clsObjetosDeDados::table() const {
    static const DispatchTable t(
        "_clsObjetosDeDados",
        {
            Member{"AbrirConexao", InvokeKind::Method, {}, VarType::I2,
                   [](Object& o, std::span<Variant>) { return Variant(self(o).AbrirConexao()); }},
            propertyGet("ReferenciaDeConexao", VarType::Object,
                        [](clsObjetosDeDados& c) { return Variant(c.get_ReferenciaDeConexao()); }),
            propertyGet("ReferenciaDeRecordset", VarType::Object,
                        [](clsObjetosDeDados& c) { return Variant(c.get_ReferenciaDeRecordset()); }),
            Member{"FecharConexao", InvokeKind::Method, {}, VarType::I2,
                   [](Object& o, std::span<Variant>) { return Variant(self(o).FecharConexao()); }},
            propertyGet("NumeroDoErro", VarType::I4, [](clsObjetosDeDados& c) { return Variant(c.get_NumeroDoErro()); }),
            propertyGet("DescricaoDoErro", VarType::String,
                        [](clsObjetosDeDados& c) { return Variant(c.get_DescricaoDoErro()); }),
            propertyGet("LocalDoErro", VarType::String, [](clsObjetosDeDados& c) { return Variant(c.get_LocalDoErro()); }),
            propertyGet("DescricaoDaFalha", VarType::String,
                        [](clsObjetosDeDados& c) { return Variant(c.get_DescricaoDaFalha()); }),
        });
    return t;
}

}  // namespace zelt::dataaccess
