#include "clientanim/frame/condicoes_de_clientes.hpp"

#include "clientanim/frame/enumeracoes.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::condicoes {

void conferirSituacaoDosClientes(int16_t filtro) {
    if (filtro < TodasAsSituacoes || filtro > RegistroRecente)
        throwError(err::InvalidProcedureCall,
                   "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                       "; os valores aceitos são 0 (todas as situações), 1 (ativos), 2 (inativos), "
                       "3 (bloqueados), 4 (excluídos) e 5 (recentes).");
}

std::string situacaoDosClientes(int16_t filtro, bool administrador) {
    conferirSituacaoDosClientes(filtro);
    switch (filtro) {
        case 0:
        case 5:
            return administrador
                       ? "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3 OR Clientes.Situacao=4) "
                       : "   (Clientes.Situacao=1 OR Clientes.Situacao=2 OR Clientes.Situacao=3) ";
        case 1: return "   (Clientes.Situacao=1) ";
        case 2: return "   (Clientes.Situacao=2) ";
        case 3: return "   (Clientes.Situacao=3) ";
        default: return "   (Clientes.Situacao=4) ";
    }
}

std::string codigoOuNomeDoCliente(const Variant& v, const std::string& t) {
    if (isNumeric(v)) {
        const size_t n = regional::trim(t).size();
        if (n == 11 || n == 14)
            return " AND (Clientes.Codigo = " + t + " " + " OR Clientes.CPFCNPJ LIKE '%" + t + "%') ";
        return " AND (Clientes.Codigo = " + t + ") ";
    }
    return " AND (Clientes.ApelidoOuNomeFantasia LIKE '%" + t + "%' " + " OR Clientes.NomeOuRazaoSocial LIKE '%" +
           t + "%' " + " OR Clientes.Logradouro LIKE '%" + t + "%') ";
}

std::string codigoOuNomeDoAnimal(const Variant& a, const std::string& t) {
    std::string s = isNumeric(a) ? " AND (Animais.Codigo = " + t + " " : " AND (Animais.Nome LIKE '%" + t + "%' ";
    return s + " OR Animais.Microchip LIKE '%" + t + "%') ";
}

}  // namespace zelt::clientanim::condicoes
