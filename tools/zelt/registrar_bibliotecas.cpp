#include "registrar_bibliotecas.hpp"

#include "zelt/clientanim/clientanim.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

void registrarBibliotecas() {
    zelt::dataaccess::DllRegisterServer();
    zelt::texttreatment::DllRegisterServer();
    zelt::management::DllRegisterServer();
    DllRegisterServer();
}
