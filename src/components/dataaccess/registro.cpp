#include "components/dataaccess/clsObjetosDeDados.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/dataaccess.hpp"

namespace zelt::dataaccess {

namespace {
// The class object is there as soon as the library is loaded, as a COM server's is.
const bool offeredOnLoad = (registry::offerClass({ProgId, ClassId, LibraryName, "Apartment",
                                                   [] { return Ref<Object>(make<clsObjetosDeDados>()); }}),
                            true);
}  // namespace

int32_t DllRegisterServer() { return registry::registerLibrary(LibraryName); }
int32_t DllUnregisterServer() { return registry::unregisterLibrary(LibraryName); }

}  // namespace zelt::dataaccess
