#include "components/dataaccess/clsObjetosDeDados.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/dataaccess.hpp"

namespace zelt::dataaccess {

void offerClasses() {
    registry::offerClass({ProgId, ClassId, LibraryName, "Apartment",
                          [] { return Ref<Object>(make<clsObjetosDeDados>()); }});
}

int32_t DllRegisterServer() {
    offerClasses();
    return registry::registerLibrary(LibraryName);
}

int32_t DllUnregisterServer() { return registry::unregisterLibrary(LibraryName); }

namespace {
// The class objects are there as soon as the library is loaded, as a COM server's are.
const bool offeredOnLoad = (offerClasses(), true);
}  // namespace

}  // namespace zelt::dataaccess
