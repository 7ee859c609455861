#pragma once
// The client fixture with what the selection tests add: the columns of the last selection and receivables.
#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "support/clientes.hpp"
#include "support/gerencial.hpp"

namespace zelt::clientanim::teste {

class AmbienteDeSelecao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        gerencial() = Gerencial{};
    }
    // The column of the last selection, row by row in the recordset's order.
    static std::vector<std::string> coluna(clsClientes& c, const std::string& nome) {
        return testing_support::coluna(c.get_ResultadoDaSelecaoEmRecordset(), nome);
    }
    void receber(double cliente, const std::string& valor, const std::string& baixa = "NULL") {
        sql("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento, DataDaBaixa) VALUES (" + sql::numero(cliente) + ", " +
            valor + ", " + baixa + ")");
    }
};

}  // namespace zelt::clientanim::teste
