#include "registrar_bibliotecas.hpp"

#include <cstdint>
#include <cstdio>
#include <iostream>

#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

bool registrarBibliotecas(const char* comando) {
    for (auto registrar : {zelt::dataaccess::DllRegisterServer, zelt::texttreatment::DllRegisterServer,
                           zelt::management::DllRegisterServer, ::DllRegisterServer}) {
        if (const int32_t r = registrar(); r != zelt::registry::SOk) {
            char codigo[16];
            std::snprintf(codigo, sizeof codigo, "0x%08X", static_cast<uint32_t>(r));
            std::cerr << comando << ": não foi possível registrar as bibliotecas no registro de classes '"
                      << zelt::registry::registryPath() << "' (" << codigo << ").\n";
            return false;
        }
    }
    return true;
}
