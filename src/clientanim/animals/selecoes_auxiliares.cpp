// The smaller animal lists: the drop-down list, the print and export list, and one line of names.
#include "clientanim/animals/colunas_da_selecao.hpp"
#include "clientanim/animals/condicoes_dos_animais.hpp"
#include "clientanim/frame/selecao.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

namespace {
constexpr uint8_t PeriodoDeInclusao = 2;
}

int16_t clsAnimais::SelecionarParaComboBoxFiltradoPorCliente(double ldouCodigoDoRegistroQueSeraExibidoEmUmaAlteracao,
                                                            int16_t lintAnimalVivoOuMorto) {
    Operacao op(*this, "SelecionarParaComboBoxFiltradoPorCliente");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;
        op.ponto(3);
        std::string s = "          SELECT ";
        s += "   Animais.Codigo, ";
        s += "   Animais.Nome ";
        s += "FROM ";
        s += "   Animais ";
        s += "WHERE ";
        s += std::string("   Animais.Situacao = ") + "1" + " ";
        s += "AND ";
        s += animais::animalVivoOuMorto(lintAnimalVivoOuMorto);
        if (ldouCodigoDoRegistroQueSeraExibidoEmUmaAlteracao != 0) {
            s += "AND ";
            s += "   Animais.CodigoDoCliente = " + sql::numero(ldouCodigoDoRegistroQueSeraExibidoEmUmaAlteracao) + " ";
        }
        s += "ORDER BY ";
        s += "   Animais.Nome ASC";
        s += ";";
        return executarSelecao(op, Selecao{std::move(s), std::nullopt, {}}, MensagemNenhumAnimal);
    });
}

int16_t clsAnimais::SelecionarParaImpressaoEExportacao(int16_t /*lintTipoDeRetorno*/, uint8_t lbytOpcaoSelecionada,
                                                       const std::string& lstrOrdemDoCampoParaSelecao,
                                                       const std::string& lstrDataInicial,
                                                       const std::string& lstrDataFinal) {
    Operacao op(*this, "SelecionarParaImpressaoEExportacao");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;
        op.ponto(3);
        std::string s = "SELECT ";
        for (std::string_view coluna : animais::colunasDaImpressao()) s += coluna;
        s += "FROM ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER JOIN "
             "EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN RacasDeAnimais ON "
             "Animais.CodigoDaRaca = RacasDeAnimais.Codigo ";
        if (lbytOpcaoSelecionada == PeriodoDeInclusao)
            s += " WHERE Animais.DataEHoraDaInclusao Between #" +
                 animais::dataMesPrimeiro(tratar(lstrDataInicial), "mm/dd/yyyy") + " 00:00:00# AND #" +
                 animais::dataMesPrimeiro(tratar(lstrDataFinal), "mm/dd/yyyy") + " 23:59:59# ";
        // The caller's order goes in unchanged; an order that names no column or expression of the
        // selection makes the database refuse the statement.
        s += lstrOrdemDoCampoParaSelecao.empty() ? std::string("ORDER BY Animais.Nome ")
                                                 : "ORDER BY " + lstrOrdemDoCampoParaSelecao + " ";
        s += "ASC";
        s += ";";

        Ref<ado::Recordset> rs = abrirSelecao(op, Selecao{std::move(s), std::nullopt, {}});
        if (!rs) return Erro;
        op.ponto(7);
        if (rs->get_RecordCount() > 0)
            guardarResultado(rs);
        else
            guardarResultado(rs, MensagemNenhumAnimal);
        op.ponto(8);
        op.liberar();
        op.ponto(9);
        return Concluido;
    });
}

int16_t clsAnimais::SelecionarAnimaisEmUmUnicoRegistro(double ldouCodigoDoCliente, std::string& lstrListaDeAnimaisEmUmaLinha) {
    Operacao op(*this, "SelecionarAnimaisEmUmUnicoRegistro");
    return op.executar([&]() -> int16_t {
        const int16_t aberto = op.abrirBanco(1);
        if (aberto != Concluido) return aberto;
        op.ponto(3);
        std::string s = "SELECT";
        s += "   IIF(IsNull(Animais.Nome), '', Animais.Nome) AS Nome ";
        s += "FROM ";
        s += "   Animais ";
        s += "WHERE ";
        s += "   Animais.CodigoDoCliente =  " + sql::numero(ldouCodigoDoCliente) + " ";
        s += "AND  ";
        s += "   Animais.AnimalMorto = False ";
        s += "AND  ";
        s += std::string("   Animais.Situacao = ") + "1" + " ";
        s += "ORDER BY ";
        s += "   Animais.Nome ASC";
        s += ";";

        Ref<ado::Recordset> rs = abrirSelecao(op, Selecao{std::move(s), std::nullopt, {}});
        if (!rs) return Erro;
        op.ponto(7);
        std::string& lista = lstrListaDeAnimaisEmUmaLinha;
        lista.clear();
        const int32_t n = rs->get_RecordCount();
        if (n != 0) {
            for (; !rs->get_EOF(); rs->MoveNext()) {
                const int32_t p = rs->get_AbsolutePosition();
                const std::string nome = (*rs)("Nome").toText();
                if (p == 1)
                    lista = nome;
                else if (p < n)
                    lista += ", " + nome;
                else if (p == n)
                    lista += " e " + nome;
            }
        }
        op.ponto(8);
        op.liberar();
        op.ponto(12);
        return Concluido;
    });
}

}  // namespace zelt::clientanim
