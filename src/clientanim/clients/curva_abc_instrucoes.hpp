#pragma once
// What the ABC-curve update writes and asks: the period of the classification and the updates.
#include <string>

#include "zelt/automation/variant.hpp"

namespace zelt::clientanim::clientes {

inline constexpr const char* ProgIdDoGerencial = "ZELT_N_Gerencial.clsGerencial";

// The last twelve months up to `hoje`: the end is today's short date, the start the same day and
// month with the year before, written as digits ("04/12/2025" for 04/12/2026; 29/02 stays 29/02).
std::string fimDoPeriodoDaCurva(Date hoje);
std::string inicioDoPeriodoDaCurva(Date hoje);

std::string contagemDoRegistro304();
std::string leituraDaUltimaAtualizacao();
// Every client first becomes C; the classified ones then get their own letter.
std::string todosNaCategoriaC();
std::string categoriaDoCliente(const Variant& classificacao, const Variant& codigoDoCliente);
std::string registroDaAtualizacao(Date hoje);

}  // namespace zelt::clientanim::clientes
