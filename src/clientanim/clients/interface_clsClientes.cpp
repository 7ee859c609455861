// _clsClientes: the members in slot order. A caller bound to the interface reaches them by
// position, so this order is the interface and must never change.
#include "clientanim/frame/membros.hpp"
#include "clientanim/frame/paginacao.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {

using C = clsClientes;

clsClientes& cliente(Object& o) { return static_cast<clsClientes&>(o); }

Member selecionar() {
    return Member{"Selecionar",
                  InvokeKind::Method,
                  {{"lenuTipoDeLista", VarType::I2},
                   {"lintTamanhoDaPagina", VarType::I2},
                   {"lintSituacaoParaFiltro", VarType::I2},
                   {"lvarCodigoOuNomeParaFiltro", VarType::Variant},
                   {"lstrApelidoOuNomeFantasiaOuNomeOuRazaoSocialDoCliente", VarType::String, true},
                   {"ldouCodigoDoCliente", VarType::R8, true},
                   {"lstrLogradouroDoCliente", VarType::String, true},
                   {"lstrDataInicial", VarType::String, true},
                   {"lstrDataFinal", VarType::String, true},
                   {"lintListaCompletaDeClientesAniversariantesOuPorDataDeInclusao", VarType::I2, true},
                   {"lvarCodigoOuNomeDoAnimalParaFiltro", VarType::Variant, true}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(cliente(o).Selecionar(a[0].toInt16(), a[1].toInt16(), a[2].toInt16(), a[3],
                                                           a[4].toText(), a[5].toDouble(), a[6].toText(),
                                                           a[7].toText(), a[8].toText(), a[9].toInt16(), a[10]));
                  }};
}

Member selecionarAgrupadoPorAno() {
    return Member{"SelecionarClientesAgrupadoPorAno",
                  InvokeKind::Method,
                  {{"lenuTipoDeLista", VarType::I2}, {"lintTamanhoDaPagina", VarType::I2},
                   {"lintSituacaoParaFiltro", VarType::I2}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(cliente(o).SelecionarClientesAgrupadoPorAno(a[0].toInt16(), a[1].toInt16(),
                                                                                 a[2].toInt16()));
                  }};
}

Member numeroPorMesAno() {
    return Member{"NumeroDeClientesAgrupadoPorMesAno",
                  InvokeKind::Method,
                  {{"lenuTipoDeLista", VarType::I2}, {"lintTamanhoDaPagina", VarType::I2},
                   {"lstrAno", VarType::String}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(cliente(o).NumeroDeClientesAgrupadoPorMesAno(a[0].toInt16(), a[1].toInt16(),
                                                                                  a[2].toText()));
                  }};
}

Member validarDados() {
    return Member{"ValidarDados",
                  InvokeKind::Method,
                  {{"lintOperacao", VarType::I2}, {"lobjConexao", VarType::Object},
                   {"lrstRecordsetParaValidacoes", VarType::Object}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(cliente(o).ValidarDados(a[0].toInt16(), a[1].toObject(), a[2].toObject()));
                  }};
}

Member validarDadoEspecifico() {
    return Member{"ValidarDadoEspecifico",
                  InvokeKind::Method,
                  {{"lintOperacao", VarType::I2}, {"lobjConexao", VarType::Object},
                   {"lrstRecordsetParaValidacoes", VarType::Object},
                   {"lvarNomeDoCampoEspecificoParaValidar", VarType::Variant}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(cliente(o).ValidarDadoEspecifico(a[0].toInt16(), a[1].toObject(),
                                                                      a[2].toObject(), a[3]));
                  }};
}

Member limiteDeCredito() {
    return Member{"RetornarInformacoesDoLimiteDeCredito",
                  InvokeKind::Method,
                  {{"ldouCodigoDoCliente", VarType::R8},
                   {"lcurLimite", VarType::Currency, false, true},
                   {"lcurUtilizado", VarType::Currency, false, true},
                   {"lcurDisponivel", VarType::Currency, false, true}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      Currency limite = a[1].toCurrency(), utilizado = a[2].toCurrency(),
                               disponivel = a[3].toCurrency();
                      const int16_t r = cliente(o).RetornarInformacoesDoLimiteDeCredito(a[0].toDouble(), limite,
                                                                                        utilizado, disponivel);
                      a[1] = Variant(limite);
                      a[2] = Variant(utilizado);
                      a[3] = Variant(disponivel);
                      return Variant(r);
                  }};
}

Member alterarCodigoIBGE() {
    return Member{"AlterarCodigoIBGEDoMunicipio", InvokeKind::Method, {}, VarType::Variant,
                  [](Object& o, std::span<Variant>) { return cliente(o).AlterarCodigoIBGEDoMunicipio(); }};
}

std::vector<Member> membrosDaInterface() {
    using namespace membros;
    std::vector<Member> m{
        operacao("Adicionar", &C::Adicionar),
        operacao("Alterar", &C::Alterar),
        alterarCodigoIBGE(),
        operacao("Excluir", &C::Excluir),
        selecionar(),
        selecionarAgrupadoPorAno(),
        numeroPorMesAno(),
        operacao("AtualizarCategoriaDaCurvaABC", &C::AtualizarCategoriaDaCurvaABC),
        membroDePaginacao(),
        validarDados(),
        validarDadoEspecifico(),
        limiteDeCredito(),
        leitura("NomeDoCampoValidado", &C::get_NomeDoCampoValidado),
        escrita("Situacao", &C::put_Situacao),
        leitura("Situacao", &C::get_Situacao),
        escrita("AdicionarClienteEAnimalNaMesmaOperacao", &C::put_AdicionarClienteEAnimalNaMesmaOperacao),
        referencia("GradeDeAnimais", &C::putref_GradeDeAnimais),
        leitura("ResultadoDaSelecaoEmRecordset", &C::get_ResultadoDaSelecaoEmRecordset),
        leitura("NumeroTotalDeRegistros", &C::get_NumeroTotalDeRegistros),
    };
#define ZELT_ESCRITA_(n) m.push_back(escrita(#n, &C::put_##n));
#define ZELT_REFERENCIA_(n) m.push_back(referencia(#n, &C::putref_##n));
    ZELT_CLSCLIENTES_PROPRIEDADES(ZELT_ESCRITA_, ZELT_ESCRITA_, ZELT_ESCRITA_, ZELT_ESCRITA_, ZELT_ESCRITA_,
                                  ZELT_REFERENCIA_)
#undef ZELT_ESCRITA_
#undef ZELT_REFERENCIA_
    m.push_back(leitura("DataHoraDaAtualizacao", &C::get_DataHoraDaAtualizacao));
    m.push_back(referencia("DadosDoUsuario", &C::putref_DadosDoUsuario));
    m.push_back(leitura("NumeroDoErro", &C::get_NumeroDoErro));
    m.push_back(leitura("DescricaoDoErro", &C::get_DescricaoDoErro));
    m.push_back(leitura("CodigoGerado", &C::get_CodigoGerado));
    m.push_back(leitura("LocalDoErro", &C::get_LocalDoErro));
    m.push_back(leitura("DescricaoDaFalha", &C::get_DescricaoDaFalha));
    return m;
}

}  // namespace

const DispatchTable& clsClientes::tabela() {
    static const DispatchTable tabela("_clsClientes", membrosDaInterface());
    return tabela;
}

}  // namespace zelt::clientanim
