#pragma once
// The rules of the client's validation that consult the database or build a long message.
#include <optional>
#include <string>

#include "zelt/ado/recordset.hpp"

namespace zelt::clientanim::regras {

inline constexpr const char* QuebraDeLinha = "\r\n";

// Executes a lookup on the connection the validation received (any object with Execute).
Ref<ado::Recordset> consultar(const Ref<Object>& conexao, const std::string& texto);

// The user object's answer for the document the installation may issue; "11" makes the
// CPF or CNPJ and the municipality code mandatory.
bool documentoObrigatorio(const Variant& codigoDoDocumento);

// The day "ddmm" and the year as a date, when they name one.
std::optional<Date> dataDeNascimento(const std::string& diaEMes, const std::string& ano, std::string& textoDaData);

// The message for a CPF or CNPJ that another client already has; nothing when it is free (or,
// in an alteration, when one of its holders is this very client).
std::optional<std::string> cpfCnpjJaInformado(const Ref<Object>& conexao, const std::string& cpfCnpj,
                                              bool pessoa, bool alteracao, int32_t codigo);

// The refusal of a municipality code (blank when mandatory, not of seven characters, or absent
// from MunicipiosIBGE); nothing when it passes or may stay blank.
std::optional<std::string> codigoIBGERecusado(const Ref<Object>& conexao, const std::string& codigo,
                                              bool obrigatorio);

}  // namespace zelt::clientanim::regras
