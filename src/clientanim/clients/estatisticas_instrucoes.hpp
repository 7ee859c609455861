#pragma once
// The statements of the client statistics: the years of inclusion and the monthly count of a year.
#include <cstdint>
#include <string>

namespace zelt::clientanim::clientes {

// The years in which the clients that pass the status filter were included; `administrador`
// matters for 0, which then also counts status 4. A filter outside 0 to 3 gets no condition (the
// statement would not be valid): conferirSituacaoDosAnos refuses it (error 5).
void conferirSituacaoDosAnos(int16_t lintSituacaoParaFiltro);
std::string montarSelecaoDosAnos(int16_t lintSituacaoParaFiltro, bool administrador);

// Twelve counts, "Jan" to "Dez", of the clients included in each month of the year. The year is
// written unquoted and unchanged: whatever the database reads as a number counts ("2024.0",
// "+2024"), anything else makes it refuse the statement.
std::string montarContagemPorMes(const std::string& lstrAno);

}  // namespace zelt::clientanim::clientes
