#include "clientanim/clients/regras_do_cliente.hpp"

#include <algorithm>

#include "clientanim/clients/documentos.hpp"
#include "clientanim/clients/textos.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::clientanim::regras {

namespace {

std::optional<int> inteiro(std::string_view t) {
    t = regional::trim(t);
    if (t.empty() || t.size() > 4 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoi(std::string(t));
}

std::string textoDoCampo(const ado::Recordset& rs, std::string_view campo) {
    const Variant v = rs(campo);
    return v.isNull() ? std::string() : v.toText();
}

std::string mensagemDeDuplicidade(const ado::Recordset& rs, const std::string& cpfCnpj, bool pessoa) {
    const std::string br = QuebraDeLinha;
    if (pessoa)
        return "Não é possível salvar o CPF '" + documentos::mascarar(cpfCnpj, documentos::MascaraDoCPF) +
               "', pois ele já foi informado para o cliente:" + br + br + "Código.: " + textoDoCampo(rs, "Codigo") +
               br + "Apelido: " + textoDoCampo(rs, "ApelidoOuNomeFantasia") + br +
               "Nome...: " + textoDoCampo(rs, "NomeOuRazaoSocial") + br + br +
               "Informe um outro número de CPF e tente novamente.";
    return "Não é possível salvar o CNPJ '" + documentos::mascarar(cpfCnpj, documentos::MascaraDoCNPJ) +
           "', pois ele já foi informado para a empresa:" + br + br + "Código.......: " + textoDoCampo(rs, "Codigo") +
           br + "Nome fantasia: " + textoDoCampo(rs, "ApelidoOuNomeFantasia") + br +
           "Razão social.: " + textoDoCampo(rs, "NomeOuRazaoSocial") + br + br +
           "Informe um outro número de CNPJ e tente novamente.";
}

}  // namespace

Ref<ado::Recordset> consultar(const Ref<Object>& conexao, const std::string& texto) {
    if (!conexao) throwError(err::ObjectVariableNotSet);
    Ref<ado::Recordset> rs;
    if (auto c = refCast<ado::Connection>(conexao))
        rs = c->Execute(texto);
    else
        rs = refCast<ado::Recordset>(callByName(*conexao, "Execute", {Variant(texto)}).toObject());
    if (!rs) throwError(err::ObjectVariableNotSet);
    return rs;
}

bool documentoObrigatorio(const Variant& codigo) {
    // Compared with the text "11" as the run time compares a variant with a text.
    if (const auto* t = codigo.get<std::string>()) return *t == "11";
    if (codigo.isNumber()) return codigo.toDouble() == 11.0;
    return false;
}

std::optional<Date> dataDeNascimento(const std::string& diaEMes, const std::string& ano, std::string& textoDaData) {
    const std::string dia = textos::meio(diaEMes, 1, 2), mes = textos::meio(diaEMes, 3, 2);
    textoDaData = dia + "/" + mes + "/" + ano;
    const auto d = inteiro(dia), m = inteiro(mes);
    auto a = inteiro(ano);
    if (!d || !m || !a) return std::nullopt;
    // A year of two significant digits falls in the run time's century window.
    if (*a < 30) *a += 2000;
    else if (*a < 100) *a += 1900;
    return Date::fromParts(DateParts{*a, *m, *d});
}

std::optional<std::string> cpfCnpjJaInformado(const Ref<Object>& conexao, const std::string& cpfCnpj,
                                              bool pessoa, bool alteracao, int32_t codigo) {
    auto rs = consultar(conexao,
                        " SELECT Clientes.Codigo AS Codigo, Clientes.ApelidoOuNomeFantasia AS ApelidoOuNomeFantasia, "
                        "Clientes.NomeOuRazaoSocial AS NomeOuRazaoSocial FROM Clientes WHERE CPFCNPJ = '" +
                            cpfCnpj + "'");
    bool tomado = rs->get_RecordCount() != 0;
    if (tomado && alteracao) {
        rs->MoveFirst();
        while (!rs->get_EOF()) {
            if ((*rs)("Codigo").toDouble() == static_cast<double>(codigo)) {
                tomado = false;
                break;
            }
            rs->MoveNext();
        }
        if (tomado) rs->MoveFirst();
    }
    std::optional<std::string> mensagem;
    if (tomado) mensagem = mensagemDeDuplicidade(*rs, cpfCnpj, pessoa);
    rs->Close();
    return mensagem;
}

std::optional<std::string> codigoIBGERecusado(const Ref<Object>& conexao, const std::string& codigo,
                                              bool obrigatorio) {
    const size_t m = textos::comprimentoAparado(codigo);
    if (m == 0 && obrigatorio) return "Digite o código IBGE do município.";
    if (m == 0) return std::nullopt;
    if (m != 7) return "Digite o código IBGE do município com 7 (sete) dígitos (números).";
    auto rs = consultar(conexao,
                        " SELECT COUNT(*) AS NumeroDeRegistros FROM MunicipiosIBGE WHERE CodigoIBGE = '" + codigo + "'");
    std::optional<std::string> mensagem;
    if ((*rs)("NumeroDeRegistros").toDouble() == 0)
        mensagem = "O código IBGE '" + codigo +
                   "' não pode ser incluído porque não existe na tabela de 'MunicipiosIBGE'." + QuebraDeLinha +
                   QuebraDeLinha +
                   "Se deseja utilizar, faça antes a inclusão deste código IBGE do município na tabela 'MunicipiosIBGE'.";
    rs->Close();
    return mensagem;
}

}  // namespace zelt::clientanim::regras
