#pragma once
#include <cstdint>

namespace zelt::ado {
// Raises ADO's error with the description a Brazilian installation shows.
[[noreturn]] void raise(int32_t number);
inline constexpr int32_t NoTransaction = -2147168242;  // 0x8004D00E
}  // namespace zelt::ado
