#pragma once
// The management component ZELT_N_Gerencial: its class ZELT_N_Gerencial.clsGerencial, which
// classifies the clients by what they brought in (the ABC curve of profitability).
#include <cstdint>
#include <string>

#include "zelt/ado/recordset.hpp"

namespace zelt::management {

inline constexpr const char* ProgId = "ZELT_N_Gerencial.clsGerencial";
inline constexpr const char* ClassId = "{5D3C2B9E-0A41-4F6B-9C1E-2E7A9B40D003}";
inline constexpr const char* LibraryName = "ZELT_N_Gerencial";

class clsGerencial : public Dispatchable {
public:
    // Classifies the clients by the receivables settled between the two regional dates (both days
    // included): ordered by amount, those that make the first 80% of the total are "A", the next
    // 15% "B", the rest "C". 0 with the classification in ResultadoDaSelecaoEmRecordset
    // ("Classificacao", "CodigoDoCliente"); 1 with the error fields on any failure.
    int16_t SelecionarCurvaABCporLucratividadeDeClientes(std::string& dataFinal, std::string& dataInicial);
    Ref<ado::Recordset> get_ResultadoDaSelecaoEmRecordset() const { return resultado_; }
    int32_t get_NumeroDoErro() const { return numeroDoErro_; }
    std::string get_DescricaoDoErro() const { return descricaoDoErro_; }
    std::string get_LocalDoErro() const { return localDoErro_; }
    const DispatchTable& table() const override;

private:
    Ref<ado::Recordset> resultado_;
    int32_t numeroDoErro_ = 0;
    std::string descricaoDoErro_, localDoErro_;
};

int32_t DllRegisterServer();
int32_t DllUnregisterServer();

}  // namespace zelt::management
