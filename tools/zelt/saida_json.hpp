#pragma once
// One JSON value on one line of standard output. A text that is not valid UTF-8 (a database can
// hold one) is printed with replacement characters rather than ending the command.
#include <cstdint>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

inline void imprimirJson(const nlohmann::json& j) {
    std::cout << j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << std::endl;
}

// {"error":{"number":N,"description":"...","helpContext":N}}: how the command reports a failure.
inline nlohmann::json erroJson(int32_t numero, const std::string& descricao, int32_t contextoDeAjuda) {
    return {{"error", {{"number", numero}, {"description", descricao}, {"helpContext", contextoDeAjuda}}}};
}
