#pragma once
// ZELT_I_ADO.clsObjetosDeDados: one connection per object, opened by AbrirConexao and ended when
// the object goes (an open transaction is rolled back then).
#include <cstdint>
#include <string>

#include "zelt/ado/connection.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/dispatch.hpp"

namespace zelt::dataaccess {

class clsObjetosDeDados : public Dispatchable {
public:
    clsObjetosDeDados() = default;
    ~clsObjetosDeDados() override;

    // 0 open; 1 error (NumeroDoErro, DescricaoDoErro, LocalDoErro); 3 the database cannot be
    // opened (DescricaoDaFalha).
    int16_t AbrirConexao();
    // The open connection, or Nothing before AbrirConexao.
    Ref<ado::Connection> get_ReferenciaDeConexao() const { return conexao_; }
    // A new recordset, not open, with a client-side cursor.
    Ref<ado::Recordset> get_ReferenciaDeRecordset() const;
    // 1 when closing failed (error fields), 0 otherwise.
    int16_t FecharConexao();

    int32_t get_NumeroDoErro() const { return numeroDoErro_; }
    const std::string& get_DescricaoDoErro() const { return descricaoDoErro_; }
    const std::string& get_LocalDoErro() const { return localDoErro_; }
    const std::string& get_DescricaoDaFalha() const { return descricaoDaFalha_; }

    const DispatchTable& table() const override;

private:
    void guardarErro(int32_t numero, std::string descricao, const char* operacao);
    void encerrarConexao() noexcept;

    Ref<ado::Connection> conexao_;
    int32_t numeroDoErro_ = 0;
    std::string descricaoDoErro_;
    std::string localDoErro_;
    std::string descricaoDaFalha_;
};

}  // namespace zelt::dataaccess
