#pragma once
// The Brazilian taxpayer numbers and the e-mail form, as pure checks of a text, and the masks
// the register shows the numbers with.
#include <cstdint>
#include <string>
#include <string_view>

namespace zelt::clientanim::documentos {

// The check digits of a CPF read from the text as it is kept: its first nine characters must be
// digits (anything else is error 13, raised at progress point 3), its last two are compared as text.
// `ponto` follows the steps of the check for the caller's location text.
bool cpfCorreto(std::string_view cpf, int16_t& ponto);

// The check digits of a CNPJ: positions 1 to 14 of the text, anything but a digit counting as 0;
// fourteen zeros are refused.
bool cnpjCorreto(std::string_view cnpj, int16_t& ponto);

// A point with three or more characters after it, one of the accepted endings, and only
// unaccented letters, digits and "_", "-", ".", "@".
bool emailCorreto(std::string_view email, int16_t& ponto);

// The number under a mask of zeros with literal characters after a backslash ("000\.000\.000\-00"):
// the digits fill the zeros from the right, missing ones are written as zeros, extra ones go first.
// A text that is not made of digits only is returned as it is.
std::string mascarar(std::string_view numero, std::string_view mascara);

inline constexpr std::string_view MascaraDoCPF = "000\\.000\\.000\\-00";
inline constexpr std::string_view MascaraDoCNPJ = "00\\.000\\.000\\/0000\\-00";

}  // namespace zelt::clientanim::documentos
