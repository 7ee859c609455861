#pragma once
// ZELT_I_ADO: the data-access component. Its one class, ZELT_I_ADO.clsObjetosDeDados, opens the
// database named by ZELT_DATABASE (jet::defaultDatabasePath) and hands out ADO objects.
#include <cstdint>

namespace zelt::dataaccess {

inline constexpr const char* LibraryName = "ZELT_I_ADO";
inline constexpr const char* ProgId = "ZELT_I_ADO.clsObjetosDeDados";
inline constexpr const char* ClassId = "{5D3C2B9E-0A41-4F6B-9C1E-2E7A9B40D001}";

// Writes the ProgID into the registry file: S_OK (0), or SELFREG_E_CLASS when the
// registry cannot be written.
int32_t DllRegisterServer();
int32_t DllUnregisterServer();

}  // namespace zelt::dataaccess
