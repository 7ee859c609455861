#include "clientanim/clients/curva_abc_instrucoes.hpp"

#include "clientanim/frame/valores_sql.hpp"

namespace zelt::clientanim::clientes {

namespace {
// A value joined into the statement as its text form, a null as nothing.
std::string comoTexto(const Variant& v) { return v.isNull() ? std::string() : v.toText(); }
}  // namespace

std::string fimDoPeriodoDaCurva(Date hoje) { return hoje.toRegionalText(); }

std::string inicioDoPeriodoDaCurva(Date hoje) { return hoje.format("dd/mm/") + std::to_string(hoje.year() - 1); }

std::string contagemDoRegistro304() { return " SELECT COUNT(*) FROM OSParaBD WHERE Numero = " + sql::numero(304); }

std::string leituraDaUltimaAtualizacao() { return " SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa;"; }

std::string todosNaCategoriaC() { return std::string("UPDATE Clientes SET ") + "CategoriaDaCurvaABC='C'" + ";"; }

std::string categoriaDoCliente(const Variant& classificacao, const Variant& codigoDoCliente) {
    return std::string("UPDATE Clientes SET ") + "CategoriaDaCurvaABC='" + comoTexto(classificacao) + "' " +
           "WHERE Codigo=" + comoTexto(codigoDoCliente) + ";";
}

std::string registroDaAtualizacao(Date hoje) {
    return std::string("UPDATE Empresa SET ") + "DataDeAtualizacaoDaCategoriaDaCurvaABC='" + hoje.format("DD/MM/YYYY") +
           "';";
}

}  // namespace zelt::clientanim::clientes
