// ValidarDados and ValidarDadoEspecifico: the rules in their fixed order; the first that fails
// names its field and message and ends with result 2.
#include <array>

#include "clientanim/clients/regras_do_cliente.hpp"
#include "clientanim/clients/textos.hpp"
#include "clientanim/frame/operacao.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {

using clientes::Logico;
using clientes::Moeda;
using clientes::Texto;

constexpr const char* DescontoAcimaDoLimite = "Digite o valor do desconto menor ou igual a 100,00%.";
constexpr const char* MesmaFalhaDeAniversario = "Selecione o dia e o mês de aniversário do cliente.";
constexpr const char* CampoDoCodigoIBGE = "CodigoIBGEDoMunicipio";

constexpr std::array<Moeda, 8> DescontosPorServico{
    Moeda::PercentualDeDescontoEmClinicos,         Moeda::PercentualDeDescontoEmCirurgiaSimples,
    Moeda::PercentualDeDescontoEmCirurgiaMedia,    Moeda::PercentualDeDescontoEmCirurgiaComplexa,
    Moeda::PercentualDeDescontoEmBanhosTosasEEsteticas, Moeda::PercentualDeDescontoEmHospedagens,
    Moeda::PercentualDeDescontoEmAdestramentos,    Moeda::PercentualDeDescontoEmOutros,
};
constexpr std::array<const char*, 8> NomesDosDescontosPorServico{
    "PercentualDeDescontoEmClinicos",         "PercentualDeDescontoEmCirurgiaSimples",
    "PercentualDeDescontoEmCirurgiaMedia",    "PercentualDeDescontoEmCirurgiaComplexa",
    "PercentualDeDescontoEmBanhosTosasEEsteticas", "PercentualDeDescontoEmHospedagens",
    "PercentualDeDescontoEmAdestramentos",    "PercentualDeDescontoEmOutros",
};

struct Canal {
    Texto tipo, valor;
    const char* campo;
};
constexpr std::array<Canal, 4> Canais{{
    {Texto::TipoDeCanalDeComunicacao1, Texto::CanalDeComunicacao1, "CanalDeComunicacao1"},
    {Texto::TipoDeCanalDeComunicacao2, Texto::CanalDeComunicacao2, "CanalDeComunicacao2"},
    {Texto::TipoDeCanalDeComunicacao3, Texto::CanalDeComunicacao3, "CanalDeComunicacao3"},
    {Texto::TipoDeCanalDeComunicacao4, Texto::CanalDeComunicacao4, "CanalDeComunicacao4"},
}};

const Currency CemPorCento = Currency::fromInt(100);

}  // namespace

int16_t clsClientes::ValidarDados(int16_t lintOperacao, const Ref<Object>& lobjConexao,
                                  const Ref<Object>& /*lrstRecordsetParaValidacoes*/) {
    Operacao op(*this, "ValidarDados");
    auto falhar = [this](std::string mensagem, std::string campo) {
        descricaoDaFalha_ = std::move(mensagem);
        nomeDoCampoValidado_ = std::move(campo);
        return static_cast<int16_t>(CampoRecusado);
    };
    return op.executar([&]() -> int16_t {
        op.ponto(1);
        if (lintOperacao != 1 && lintOperacao != 2) {
            if (lintOperacao == 3) op.ponto(13);
            op.ponto(5);
            op.ponto(6);
            return Concluido;
        }
        const bool pessoa = texto(Texto::TipoDeCliente) == "PF";
        const bool empresa = texto(Texto::TipoDeCliente) == "PJ";

        op.ponto(2);
        if (textos::emBranco(texto(Texto::ApelidoOuNomeFantasia)))
            return falhar(empresa ? "Digite o nome fantasia do cliente."
                                  : "Digite o apelido do cliente ou nome que ele é mais conhecido.",
                          "ApelidoOuNomeFantasia");
        op.ponto(3);
        if (textos::emBranco(texto(Texto::NomeOuRazaoSocial)))
            return falhar(empresa ? "Digite a razão social do cliente." : "Digite o nome completo do cliente.",
                          "NomeOuRazaoSocial");

        op.ponto(4);
        if (pessoa) {
            const std::string& diaEMes = texto(Texto::DataDeNascimento);
            const std::string& ano = texto(Texto::AnoDeNascimento);
            const size_t n = textos::comprimentoAparado(diaEMes);
            if (textos::emBranco(texto(Texto::Sexo))) return falhar("Selecione o sexo do cliente.", "Sexo");
            if (n >= 1 && n <= 3) return falhar(MesmaFalhaDeAniversario, "DataDeNascimento");
            if (!textos::emBranco(ano) && n < 4) return falhar(MesmaFalhaDeAniversario, "DataDeNascimento");
            if (n == 4 && textos::comprimentoAparado(ano) == 4) {
                std::string textoDaData;
                const auto data = regras::dataDeNascimento(diaEMes, ano, textoDaData);
                if (!data) return falhar("A data informada: '" + textoDaData + "' não existe.", "DataDeNascimento");
                if (*data > Date::today())
                    return falhar("A data de nascimento não pode ser maior que a data de hoje.", "DataDeNascimento");
            }
        }

        op.ponto(5);
        const std::string& cpfCnpj = texto(Texto::CPFCNPJ);
        const bool obrigatorioNoDocumento =
            regras::documentoObrigatorio(op.perguntarAoUsuario("CodigoDoDocumentoComEmissaoPermitida"));
        if (obrigatorioNoDocumento && textos::emBranco(cpfCnpj))
            return falhar(empresa ? "Digite o CNPJ." : "Digite o CPF.", "CPFCNPJ");
        if (!textos::emBranco(cpfCnpj)) {
            const size_t n = textos::comprimentoAparado(cpfCnpj);
            if (pessoa && n < 11) return falhar("CPF incompleto.", "CPFCNPJ");
            if (pessoa && n == 11 && ValidarCPF() == 1) return falhar("CPF incorreto. Por favor verifique.", "CPFCNPJ");
            if (empresa && n < 14) return falhar("CNPJ incompleto.", "CPFCNPJ");
            if (empresa && n == 14 && ValidarCNPJ() == 1)
                return falhar("CNPJ incorreto. Por favor verifique.", "CPFCNPJ");
            if (auto duplicado = regras::cpfCnpjJaInformado(lobjConexao, cpfCnpj, pessoa, lintOperacao == 2, codigo_))
                return falhar(*duplicado, "CPFCNPJ");
        }

        op.ponto(6);
        if (const size_t n = textos::comprimentoAparado(texto(Texto::CEP)); n >= 1 && n <= 7)
            return falhar("CEP incompleto.", "CEP");
        op.ponto(7);
        if (const size_t n = textos::comprimentoAparado(texto(Texto::EndCobCEP)); n >= 1 && n <= 7)
            return falhar("CEP incompleto.", "EndCobCEP");

        op.ponto(8);
        const bool obrigatorioNoMunicipio =
            regras::documentoObrigatorio(op.perguntarAoUsuario("CodigoDoDocumentoComEmissaoPermitida"));
        if (auto recusa =
                regras::codigoIBGERecusado(lobjConexao, texto(Texto::CodigoIBGEDoMunicipio), obrigatorioNoMunicipio))
            return falhar(*recusa, CampoDoCodigoIBGE);

        op.ponto(9);
        for (const Canal& canal : Canais) {
            const std::string& valor = texto(canal.valor);
            const bool eMail = regional::toUpper(texto(canal.tipo)).find("EMAIL") != std::string::npos;
            if (eMail && !textos::emBranco(valor) && ValidarEMail(std::string(regional::trim(valor))) == 1)
                return falhar("O formato da conta de email não esta correto. Verifique pontuação.", canal.campo);
        }

        op.ponto(10);
        const bool comDesconto = logico(Logico::ClienteComDesconto), unico = logico(Logico::DescontoUnico);
        if (comDesconto && unico && moeda(Moeda::PercentualUnicoDeDescontos) > CemPorCento)
            return falhar(DescontoAcimaDoLimite, "PercentualUnicoDeDescontos");
        op.ponto(11);
        if (comDesconto && !unico)
            for (size_t i = 0; i < DescontosPorServico.size(); ++i)
                if (moeda(DescontosPorServico[i]) > CemPorCento)
                    return falhar(DescontoAcimaDoLimite, NomesDosDescontosPorServico[i]);

        op.ponto(12);
        if (situacao_ == -1) return falhar("Informe a situação do cliente.", "Situacao");

        op.ponto(5);
        op.ponto(6);
        return Concluido;
    });
}

int16_t clsClientes::ValidarDadoEspecifico(int16_t lintOperacao, const Ref<Object>& lobjConexao,
                                           const Ref<Object>& /*lrstRecordsetParaValidacoes*/,
                                           const Variant& /*lvarNomeDoCampoEspecificoParaValidar*/) {
    Operacao op(*this, "ValidarDadoEspecifico");
    return op.executar([&]() -> int16_t {
        op.ponto(1);
        if (lintOperacao == 1 || lintOperacao == 2) {
            op.ponto(2);
            if (auto recusa = regras::codigoIBGERecusado(lobjConexao, texto(Texto::CodigoIBGEDoMunicipio), true)) {
                descricaoDaFalha_ = *recusa;
                nomeDoCampoValidado_ = CampoDoCodigoIBGE;
                return CampoRecusado;
            }
        } else if (lintOperacao == 3) {
            op.ponto(15);
        }
        op.ponto(5);
        op.ponto(6);
        return Concluido;
    });
}

}  // namespace zelt::clientanim
