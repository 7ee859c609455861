#pragma once
// clsClientes: one client record (a person "PF" or a company "PJ"), its validation, and the
// operations that insert it with its animals, alter it, change its municipality code, mark it
// excluded, list it, count it, classify it on the ABC curve and report its credit limit.
#include <array>
#include <cstdint>
#include <string>

#include "clientanim/frame/objeto_de_negocio.hpp"
#include "zelt/ado/connection.hpp"

// The client's data properties in interface order, from Codigo to PercentualDeDescontoEmOutros:
// the one list from which the record's storage, its typed puts and its slots are made.
// CODIGO: the 32-bit code; TEXTO: treated text; TEXTO_LINHAS: text treated as several lines;
// LOGICO: Boolean; MOEDA: currency; OBJETO: a counted reference.
#define ZELT_CLSCLIENTES_PROPRIEDADES(CODIGO, TEXTO, TEXTO_LINHAS, LOGICO, MOEDA, OBJETO)                      \
    CODIGO(Codigo)                                                                                           \
    TEXTO(TipoDeCliente) TEXTO(ApelidoOuNomeFantasia) TEXTO(NomeOuRazaoSocial) TEXTO(Sexo)                    \
    TEXTO(DataDeNascimento) TEXTO(AnoDeNascimento) TEXTO(CPFCNPJ) TEXTO(RGIE)                                 \
    LOGICO(VIP) TEXTO(CategoriaDaCurvaABC) OBJETO(DadosDaCurvaABC)                                           \
    TEXTO(CEP) TEXTO(TipoDeLogradouro) TEXTO(Logradouro) TEXTO(Numero) TEXTO(Complemento) TEXTO(Bairro)       \
    TEXTO(Cidade) TEXTO(CodigoIBGEDoMunicipio) TEXTO(UF)                                                     \
    TEXTO(EndCobCEP) TEXTO(EndCobTipoDeLogradouro) TEXTO(EndCobLogradouro) TEXTO(EndCobNumero)                \
    TEXTO(EndCobComplemento) TEXTO(EndCobBairro) TEXTO(EndCobCidade) TEXTO(EndCobUF)                          \
    TEXTO(TipoDeCanalDeComunicacao1) TEXTO(CanalDeComunicacao1) TEXTO(TipoDeCanalDeComunicacao2)              \
    TEXTO(CanalDeComunicacao2) TEXTO(TipoDeCanalDeComunicacao3) TEXTO(CanalDeComunicacao3)                    \
    TEXTO(TipoDeCanalDeComunicacao4) TEXTO(CanalDeComunicacao4) TEXTO(Profissao) TEXTO(Observacao)            \
    MOEDA(LimiteDeCredito) TEXTO_LINHAS(MotivoDaSituacao) LOGICO(ClienteComDesconto) LOGICO(DescontoUnico)   \
    MOEDA(PercentualUnicoDeDescontos) MOEDA(PercentualDeDescontoEmClinicos)                                  \
    MOEDA(PercentualDeDescontoEmCirurgiaSimples) MOEDA(PercentualDeDescontoEmCirurgiaMedia)                   \
    MOEDA(PercentualDeDescontoEmCirurgiaComplexa) MOEDA(PercentualDeDescontoEmBanhosTosasEEsteticas)          \
    MOEDA(PercentualDeDescontoEmHospedagens) MOEDA(PercentualDeDescontoEmAdestramentos)                       \
    MOEDA(PercentualDeDescontoEmOutros)

#define ZELT_CLSCLIENTES_NADA_(n)
#define ZELT_CLSCLIENTES_ENUMERADOR_(n) n,

namespace zelt::clientanim {

namespace clientes {
// Indexes of the kept values of each kind.
enum class Texto : uint8_t {
    ZELT_CLSCLIENTES_PROPRIEDADES(ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_ENUMERADOR_, ZELT_CLSCLIENTES_ENUMERADOR_,
                                  ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_)
    Quantidade
};
enum class Logico : uint8_t {
    ZELT_CLSCLIENTES_PROPRIEDADES(ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_,
                                  ZELT_CLSCLIENTES_ENUMERADOR_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_)
    Quantidade
};
enum class Moeda : uint8_t {
    ZELT_CLSCLIENTES_PROPRIEDADES(ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_,
                                  ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_ENUMERADOR_, ZELT_CLSCLIENTES_NADA_)
    Quantidade
};
}  // namespace clientes

class clsClientes : public ObjetoDeNegocio {
public:
    clsClientes();

    // ---- Operations, in slot order (0 to 11) ----
    int16_t Adicionar();
    int16_t Alterar();
    Variant AlterarCodigoIBGEDoMunicipio();  // the result code as a 16-bit integer
    int16_t Excluir();
    int16_t Selecionar(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina, int16_t lintSituacaoParaFiltro,
                       const Variant& lvarCodigoOuNomeParaFiltro,
                       const std::string& lstrApelidoOuNomeFantasiaOuNomeOuRazaoSocialDoCliente = "",
                       double ldouCodigoDoCliente = 0, const std::string& lstrLogradouroDoCliente = "",
                       const std::string& lstrDataInicial = "", const std::string& lstrDataFinal = "",
                       int16_t lintListaCompletaDeClientesAniversariantesOuPorDataDeInclusao = 0,
                       const Variant& lvarCodigoOuNomeDoAnimalParaFiltro = Variant());
    int16_t SelecionarClientesAgrupadoPorAno(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina,
                                             int16_t lintSituacaoParaFiltro);
    int16_t NumeroDeClientesAgrupadoPorMesAno(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina,
                                              const std::string& lstrAno);
    int16_t AtualizarCategoriaDaCurvaABC();
    int16_t PaginarResultadoDaSelecaoEmRecordset(int16_t lintNumeroDeItensPorPagina, Variant& lobjPaginaDoRecordset);
    // lintOperacao: 1 insertion, 2 alteration, 3 deletion. lobjConexao: an open connection (only its
    // Execute is called). lrstRecordsetParaValidacoes is never read: the lookups use a variable of their own.
    int16_t ValidarDados(int16_t lintOperacao, const Ref<Object>& lobjConexao,
                         const Ref<Object>& lrstRecordsetParaValidacoes);
    // Validates the municipality code only, whatever lvarNomeDoCampoEspecificoParaValidar names.
    int16_t ValidarDadoEspecifico(int16_t lintOperacao, const Ref<Object>& lobjConexao,
                                  const Ref<Object>& lrstRecordsetParaValidacoes,
                                  const Variant& lvarNomeDoCampoEspecificoParaValidar);
    int16_t RetornarInformacoesDoLimiteDeCredito(double ldouCodigoDoCliente, Currency& lcurLimite,
                                                 Currency& lcurUtilizado, Currency& lcurDisponivel);

    // ---- Properties 12 to 18 ----
    std::string get_NomeDoCampoValidado() const { return nomeDoCampoValidado_; }
    void put_Situacao(int16_t v) { situacao_ = v; }
    int16_t get_Situacao() const { return situacao_; }
    void put_AdicionarClienteEAnimalNaMesmaOperacao(bool v) { adicionarComAnimais_ = v; }
    void putref_GradeDeAnimais(Ref<Object> grade) { gradeDeAnimais_ = std::move(grade); }
    // get_ResultadoDaSelecaoEmRecordset: ObjetoDeNegocio's.
    double get_NumeroTotalDeRegistros() const { return numeroTotalDeRegistros_; }

    // ---- The record (19 to 70): write-only at the interface ----
    // Rounded half to even; a value outside 32 bits is error 6 and the kept code stays as it was.
    void put_Codigo(double v) { codigo_ = Variant(v).toInt32(); }
#define ZELT_CLSCLIENTES_PUT_TEXTO_(n) \
    void put_##n(const std::string& v) { textos_[static_cast<size_t>(clientes::Texto::n)] = tratar(v); }
#define ZELT_CLSCLIENTES_PUT_LINHAS_(n) \
    void put_##n(const std::string& v) { textos_[static_cast<size_t>(clientes::Texto::n)] = tratar(v, true); }
#define ZELT_CLSCLIENTES_PUT_LOGICO_(n) \
    void put_##n(bool v) { logicos_[static_cast<size_t>(clientes::Logico::n)] = v; }
#define ZELT_CLSCLIENTES_PUT_MOEDA_(n) \
    void put_##n(Currency v) { moedas_[static_cast<size_t>(clientes::Moeda::n)] = v; }
#define ZELT_CLSCLIENTES_PUTREF_(n) \
    void putref_##n(Ref<Object> v) { objeto##n##_ = std::move(v); }
    ZELT_CLSCLIENTES_PROPRIEDADES(ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_PUT_TEXTO_, ZELT_CLSCLIENTES_PUT_LINHAS_,
                                  ZELT_CLSCLIENTES_PUT_LOGICO_, ZELT_CLSCLIENTES_PUT_MOEDA_, ZELT_CLSCLIENTES_PUTREF_)
#undef ZELT_CLSCLIENTES_PUT_TEXTO_
#undef ZELT_CLSCLIENTES_PUT_LINHAS_
#undef ZELT_CLSCLIENTES_PUT_LOGICO_
#undef ZELT_CLSCLIENTES_PUT_MOEDA_
#undef ZELT_CLSCLIENTES_PUTREF_

    // ---- Properties 71 to 77 (the error state's gets are ObjetoDeNegocio's) ----
    std::string get_DataHoraDaAtualizacao() const { return dataHoraDaAtualizacao_.toRegionalText(); }
    double get_CodigoGerado() const { return codigoGerado_; }

    // ---- The kept record, for the operations and for tests ----
    const std::string& texto(clientes::Texto t) const { return textos_[static_cast<size_t>(t)]; }
    bool logico(clientes::Logico l) const { return logicos_[static_cast<size_t>(l)]; }
    Currency moeda(clientes::Moeda m) const { return moedas_[static_cast<size_t>(m)]; }
    int32_t codigo() const { return codigo_; }
    Date dataHoraDaAtualizacao() const { return dataHoraDaAtualizacao_; }

    // The member table of the class's dispatch interface, also for its type library.
    static const DispatchTable& tabela();
    const DispatchTable& table() const override { return tabela(); }

private:
    // The document and address checks: 0 correct, 1 incorrect (also after a failure, which fills
    // the error state with the check's own location).
    int16_t ValidarCPF();
    int16_t ValidarCNPJ();
    int16_t ValidarEMail(const std::string& lstrEMail);

    // The record.
    int32_t codigo_ = 0;
    std::array<std::string, static_cast<size_t>(clientes::Texto::Quantidade)> textos_{};
    std::array<bool, static_cast<size_t>(clientes::Logico::Quantidade)> logicos_{};
    std::array<Currency, static_cast<size_t>(clientes::Moeda::Quantidade)> moedas_{};
    Ref<Object> objetoDadosDaCurvaABC_;  // stored and never read

    int16_t situacao_ = 0;
    bool adicionarComAnimais_ = false;
    Ref<Object> gradeDeAnimais_;
    Date dataHoraDaAtualizacao_;
    double codigoGerado_ = 0;
    // No operation assigns it, so it reads 0.
    double numeroTotalDeRegistros_ = 0;
};

Ref<Object> criarClsClientes();

}  // namespace zelt::clientanim
