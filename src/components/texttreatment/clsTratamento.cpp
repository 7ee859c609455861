// The class callers reach by name, and the library's registration.
#include "zelt/automation/registry.hpp"
#include "zelt/components/texttreatment.hpp"

namespace zelt::texttreatment {

std::string clsTratamento::TratarString(std::string& text, bool multiline) const { return tratarString(text, multiline); }
std::string clsTratamento::MontarSoundex(std::string& text) const { return montarSoundex(text); }

const DispatchTable& clsTratamento::table() const {
    using T = clsTratamento;
    static const DispatchTable t(
        "_clsTratamento",
        {
            Member{"TratarString", InvokeKind::Method,
                   {{"Texto", VarType::String, false, true}, {"MultiplasLinhas", VarType::Bool, true}}, VarType::String,
                   [](Object& o, std::span<Variant> a) {
                       std::string texto = a[0].toText();
                       return Variant(static_cast<T&>(o).TratarString(texto, a[1].toBool()));
                   }},
            Member{"MontarSoundex", InvokeKind::Method, {{"Texto", VarType::String, false, true}}, VarType::String,
                   [](Object& o, std::span<Variant> a) {
                       std::string texto = a[0].toText();
                       return Variant(static_cast<T&>(o).MontarSoundex(texto));
                   }},
        });
    return t;
}

namespace {
// The class object is there as soon as the library is loaded, as a COM server's is.
const bool offeredOnLoad = (registry::offerClass({ProgId, ClassId, LibraryName, "Apartment",
                                                   [] { return Ref<Object>(make<clsTratamento>()); }}),
                            true);
}  // namespace

int32_t DllRegisterServer() { return registry::registerLibrary(LibraryName); }
int32_t DllUnregisterServer() { return registry::unregisterLibrary(LibraryName); }

}  // namespace zelt::texttreatment
