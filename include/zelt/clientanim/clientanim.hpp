#pragma once
// The component ZELT_N_ClientAnim: its entry points. Its classes are created by ProgID
// ("ZELT_N_ClientAnim.clsAnimais", "ZELT_N_ClientAnim.clsClientes", "ZELT_N_ClientAnim.clsClientAnim").
#include <cstdint>

extern "C" {
// S_OK (0), or SELFREG_E_CLASS (0x80040201) when the class registry cannot be written.
int32_t DllRegisterServer();
int32_t DllUnregisterServer();
int32_t DllGetClassObject(const char* clsid, const char* iid, void** ppv);
int32_t DllCanUnloadNow();
}

namespace zelt::clientanim {
// Offers the three classes to the in-process class table (done when the library loads).
void oferecerClasses();
}  // namespace zelt::clientanim
