#include "clientanim/clients/selecao_instrucao.hpp"

#include "clientanim/animals/condicoes_dos_animais.hpp"
#include "clientanim/clients/selecao_colunas.hpp"
#include "clientanim/frame/condicoes_de_clientes.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::clientes {

namespace {

constexpr int16_t PorDataDeInclusao = 2, Aniversariantes = 3;

bool informado(const std::string& texto) { return !regional::trim(texto).empty(); }

// Month then day of a "dd/mm/yyyy" text as a whole number (25/05/2024 gives 525), the order in
// which the stored day-and-month digits are compared.
std::string mesEDia(const std::string& data) {
    const double n = regional::val(animais::digitosDaData(data, 4) + animais::digitosDaData(data, 1));
    return sql::numero(n);
}

class Condicoes {
public:
    Condicoes(const ArgumentosDeSelecao& a, const TratamentoDeBusca& tratar) : a_(a), tratar_(tratar) {}

    bool comAnimal() const { return a_.codigoOuNomeDoAnimal.isGiven(); }
    // The client's day and month of birth. With the animal join both tables have the column, so
    // the client's is named with its table.
    std::string nascimento() const { return comAnimal() ? "Clientes.DataDeNascimento" : "DataDeNascimento"; }
    bool aniversariantes() const { return informado(a_.dataInicial) && a_.tipoDeData == Aniversariantes; }
    bool porDataDeInclusao() const { return informado(a_.dataInicial) && a_.tipoDeData == PorDataDeInclusao; }

    // The general search value excludes every other argument but the animal; without it, only the
    // first argument given counts.
    std::string deBusca() const {
        if (a_.codigoOuNome.isGiven()) {
            std::string s = condicoes::codigoOuNomeDoCliente(a_.codigoOuNome, tratar_(a_.codigoOuNome));
            if (comAnimal()) s += doAnimal();
            return s;
        }
        if (informado(a_.apelidoOuNome)) {
            const std::string nome = tratar_(Variant(a_.apelidoOuNome));
            return " AND (Clientes.ApelidoOuNomeFantasia LIKE '%" + nome + "%' " +
                   " OR Clientes.NomeOuRazaoSocial LIKE '%" + nome + "%') ";
        }
        if (a_.codigoDoCliente != 0) return " AND (Clientes.Codigo = " + sql::numero(a_.codigoDoCliente) + ") ";
        if (informado(a_.logradouro))
            return " AND (Clientes.Logradouro LIKE '%" + tratar_(Variant(a_.logradouro)) + "%') ";
        if (aniversariantes()) {
            // The date texts reach the statement only as checked digits or as a date read and rewritten,
            // so they need no treatment.
            const std::string inicio = mesEDia(a_.dataInicial);
            const std::string fim = mesEDia(a_.dataFinal);
            const std::string mesDia = "Val(Mid(" + nascimento() + ", 3, 2) & Mid(" + nascimento() + ", 1, 2))";
            return " AND (" + mesDia + " >=" + inicio + " And " + mesDia + " <= " + fim + ") ";
        }
        if (porDataDeInclusao()) {
            return " AND Clientes.DataEHoraDaInclusao Between #" +
                   animais::dataMesPrimeiro(a_.dataInicial, "MM/DD/YYYY") + " 00:00:00# AND #" +
                   animais::dataMesPrimeiro(a_.dataFinal, "MM/DD/YYYY") + " 23:59:59# ";
        }
        if (comAnimal()) return doAnimal();
        return {};
    }

private:
    std::string doAnimal() const {
        return condicoes::codigoOuNomeDoAnimal(a_.codigoOuNomeDoAnimal, tratar_(a_.codigoOuNomeDoAnimal));
    }

    const ArgumentosDeSelecao& a_;
    const TratamentoDeBusca& tratar_;
};

}  // namespace

std::string montarSelecaoDeClientes(const ArgumentosDeSelecao& a, bool administrador, const TratamentoDeBusca& tratar) {
    const Condicoes busca(a, tratar);
    const bool recentes = a.situacao == RegistroRecente;

    std::string s = recentes ? "SELECT TOP " + std::to_string(a.tamanhoDaPagina) + " " : std::string("SELECT ");
    for (std::string_view coluna : colunasDaSelecao()) s += coluna;
    s += "FROM  ";
    s += busca.comAnimal() ? "   Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo "
                               : "   Clientes ";
    s += "WHERE ";
    s += condicoes::situacaoDosClientes(a.situacao, administrador);
    s += busca.deBusca();
    s += "ORDER BY ";
    // The birthday order holds whichever search condition applied.
    if (recentes)
        s += "   Clientes.Codigo DESC";
    else if (busca.aniversariantes())
        s += "   FORMAT(Val(Mid(" + busca.nascimento() + ",3,2) & Mid(" + busca.nascimento() +
             ",1,2)),\"0000\") , Clientes.NomeOuRazaoSocial ";
    else
        s += "   Clientes.NomeOuRazaoSocial ASC";
    s += ";";
    return s;
}

}  // namespace zelt::clientanim::clientes
