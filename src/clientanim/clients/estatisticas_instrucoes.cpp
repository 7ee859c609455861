#include "clientanim/clients/estatisticas_instrucoes.hpp"

#include <array>

#include "zelt/automation/error.hpp"

namespace zelt::clientanim::clientes {

namespace {

std::string situacaoDosAnos(int16_t filtro, bool administrador) {
    switch (filtro) {
        case 0:
            return std::string("   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3) ") +
                   (administrador ? "   OR(Clientes.Situacao=4) " : "");
        case 1: return "   Clientes.Situacao=1 ";
        case 2: return "   Clientes.Situacao=2 ";
        case 3: return "   Clientes.Situacao=3 ";
        default: return {};  // refused by conferirSituacaoDosAnos before it is sent
    }
}

constexpr std::array<const char*, 12> NomesDosMeses = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                                       "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

}  // namespace

std::string montarSelecaoDosAnos(int16_t filtro, bool administrador) {
    std::string s = "          SELECT ";
    s += "       YEAR(Clientes.DataEHoraDaInclusao) AS Ano ";
    s += "FROM ";
    s += "       Clientes ";
    s += "WHERE ";
    s += situacaoDosAnos(filtro, administrador);
    s += "GROUP BY ";
    s += "       YEAR(Clientes.DataEHoraDaInclusao)";
    s += "ORDER BY ";
    s += "       YEAR(Clientes.DataEHoraDaInclusao)";
    s += ";";
    return s;
}

void conferirSituacaoDosAnos(int16_t filtro) {
    if (filtro < 0 || filtro > 3)
        throwError(err::InvalidProcedureCall, "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                                                  "; os valores aceitos são 0 (todas as situações), 1 (ativos), "
                                                  "2 (inativos) e 3 (bloqueados).");
}

std::string montarContagemPorMes(const std::string& ano) {
    std::string s;
    for (size_t i = 0; i < NomesDosMeses.size(); ++i) {
        if (i > 0) s += "UNION ALL ";
        s += i == 0 ? "          SELECT " : "SELECT ";
        s += std::string("       '") + NomesDosMeses[i] + "' AS Mes, Count(*) AS NumeroDeClientes ";
        s += "FROM ";
        s += "       Clientes ";
        s += "WHERE ";
        s += "       (((Month([Clientes.DataEHoraDaInclusao]))=" + std::to_string(i + 1) +
             ") AND ((Year([Clientes.DataEHoraDaInclusao]))=";
        s += ano;
        s += ")) ";
    }
    s += ";";
    return s;
}

}  // namespace zelt::clientanim::clientes
