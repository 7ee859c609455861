// ValidarDados: the rules an insertion or alteration must pass, and the references that forbid a deletion.
#include <tuple>

#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

namespace {

constexpr int16_t Inclusao = 1, Alteracao = 2, Exclusao = 3;

// The tables whose CodigoDoAnimal keeps an animal from being deleted, in the order they are counted.
constexpr const char* TabelasQueReferemOAnimal[] = {
    "Agendamentos", "ContratosPSA", "Exames",   "FichasClinicas",    "ItensDeVendas", "ItensDoOrcamento",
    "Medicacoes",   "Orcamentos",   "Receitas", "ServicosEfetuados", "Vacinacoes",
};

bool vazio(const std::string& texto) { return regional::trim(texto).empty(); }

// Not a date, or a day after today (the client machine's date).
bool nascimentoInvalido(const std::string& texto) {
    const Variant v(texto);
    if (!isDate(v)) return true;
    const DateParts dia = v.toDate().parts(), hoje = Date::today().parts();
    return std::tie(dia.year, dia.month, dia.day) > std::tie(hoje.year, hoje.month, hoje.day);
}

ado::Connection& conexaoDe(const Ref<Object>& objeto, Ref<ado::Connection>& guardada) {
    if (!objeto) throwError(err::ObjectVariableNotSet);
    guardada = refCast<ado::Connection>(objeto);
    if (!guardada) throwError(err::ObjectRequired);
    return *guardada;
}

}  // namespace

int16_t clsAnimais::ValidarDados(int16_t lintOperacao, Ref<Object> lobjConexao, Ref<Object> lrstRecordsetParaValidacoes) {
    Operacao op(*this, "ValidarDados");
    return op.executar([&]() -> int16_t {
        auto recusar = [&](const char* mensagem, const char* campo) -> int16_t {
            descricaoDaFalha_ = mensagem;
            nomeDoCampoValidado_ = campo;
            return CampoRecusado;
        };
        op.ponto(1);
        if (lintOperacao == Inclusao || lintOperacao == Alteracao) {
            const RegistroDoAnimal& r = registro_;
            op.ponto(2);
            if (vazio(r.nome)) return recusar("Digite o nome do animal.", "Nome");
            op.ponto(3);
            if (r.codigoDaEspecie == -1) return recusar("Informe a espécie do animal.", "CodigoDaEspecie");
            op.ponto(4);
            if (r.codigoDaRaca == -1) return recusar("Informe a raça do animal.", "CodigoDaRaca");
            op.ponto(5);
            if (!vazio(r.dataDeNascimento) && nascimentoInvalido(r.dataDeNascimento))
                return recusar("Data de nascimento inválida.", "DataDeNascimento");
            op.ponto(6);
            if (vazio(r.sexo)) return recusar("Selecione o sexo do animal.", "Sexo");
            op.ponto(7);
            if (r.situacao == -1) return recusar("Informe a situação do animal.", "Situacao");
        } else if (lintOperacao == Exclusao) {
            op.ponto(8);
            Ref<ado::Connection> guardada;
            ado::Connection& conexao = conexaoDe(lobjConexao, guardada);
            for (const char* tabela : TabelasQueReferemOAnimal) {
                Ref<ado::Recordset> contagem =
                    conexao.Execute(std::string(" SELECT COUNT(*) AS NumeroDeRegistros FROM ") + tabela +
                                    " WHERE CodigoDoAnimal = " + sql::numero(registro_.codigo));
                if (!contagem) throwError(err::ObjectVariableNotSet);
                lrstRecordsetParaValidacoes = contagem;
                const bool referido = (*contagem)(std::string_view("NumeroDeRegistros")).toDouble() != 0;
                contagem->Close();
                if (referido) {
                    descricaoDaFalha_ = "O animal '" + registro_.nome +
                                        "' não pode ser excluído porque esta sendo utilizada na tabela de '" + tabela +
                                        "'.\r\n\r\nSe não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.";
                    return Recusado;
                }
            }
        }
        op.ponto(9);
        return Concluido;
    });
}

}  // namespace zelt::clientanim
