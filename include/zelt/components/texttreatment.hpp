#pragma once
// The text-treatment component ZELT_N_TrataDados: its class ZELT_N_TrataDados.clsTratamento
// (TratarString, MontarSoundex) and its entry points.
#include <cstdint>
#include <string>
#include <string_view>

#include "zelt/automation/dispatch.hpp"

namespace zelt::texttreatment {

inline constexpr const char* ProgId = "ZELT_N_TrataDados.clsTratamento";
inline constexpr const char* ClassId = "{5D3C2B9E-0A41-4F6B-9C1E-2E7A9B40D002}";
inline constexpr const char* LibraryName = "ZELT_N_TrataDados";

// Makes a text fit to be written between single quotes into SQL: a single quote becomes the
// typographic apostrophe (U+2019), control characters and NUL are removed (with multiline, line
// breaks are kept as CR LF), invalid UTF-8 becomes U+FFFD. Nothing else changes; nothing is trimmed.
std::string tratarString(std::string_view text, bool multiline = false);

// The phonetic key of a Brazilian Portuguese name: upper-case letters, one word per name word,
// separated by single spaces; "" when the text holds no letter. Never throws.
std::string montarSoundex(std::string_view text);

class clsTratamento : public Dispatchable {
public:
    std::string TratarString(std::string& text, bool multiline = false) const;
    std::string MontarSoundex(std::string& text) const;
    const DispatchTable& table() const override;
};

// Offers the class to the in-process class table (done when the library loads).
int32_t DllRegisterServer();
int32_t DllUnregisterServer();

}  // namespace zelt::texttreatment
