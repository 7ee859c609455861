#include "zelt/clientanim/clsClientAnim.hpp"

#include "clientanim/clientanim/comando_de_listagem.hpp"
#include "clientanim/frame/membros.hpp"
#include "clientanim/frame/operacao.hpp"
#include "clientanim/frame/selecao.hpp"
#include "clientanim/registration/fabricas.hpp"

namespace zelt::clientanim {

clsClientAnim::clsClientAnim() : ObjetoDeNegocio("clsClientAnim", false) {}

int16_t clsClientAnim::Selecionar(int16_t /*lenuTipoDeLista: no page size is set*/, int16_t lintTamanhoDaPagina,
                                  int16_t lintSituacaoParaFiltro, const Variant& lvarCodigoOuNomeParaFiltro,
                                  const Variant& lvarCodigoOuNomeDoAnimalParaFiltro) {
    Operacao op(*this, "Selecionar");
    return op.executar([&]() -> int16_t {
        if (int16_t r = op.abrirBanco(1); r != Concluido) return r;
        op.ponto(3);
        ArgumentosDaListagem a;
        a.tamanhoDaPagina = lintTamanhoDaPagina;
        a.situacao = lintSituacaoParaFiltro;
        const bool recentes = lintSituacaoParaFiltro == RegistroRecente;
        a.administrador = (lintSituacaoParaFiltro == TodasAsSituacoes || recentes) && op.usuarioAdministrador();
        a.codigoOuNome = lvarCodigoOuNomeParaFiltro;
        a.codigoOuNomeDoAnimal = lvarCodigoOuNomeDoAnimalParaFiltro;

        Selecao selecao{montarComandoDeListagem(a), std::nullopt,
                        recentes ? "NomeOuRazaoSocialDoCliente" : ""};
        return executarSelecao(op, selecao, "Nenhum cliente/animal encontrado com as especificações informadas.");
    });
}

const DispatchTable& clsClientAnim::tabela() {
    using C = clsClientAnim;
    static const DispatchTable t(
        "_clsClientAnim",
        {
            Member{"Selecionar", InvokeKind::Method,
                   {{"lenuTipoDeLista", VarType::I2},
                    {"lintTamanhoDaPagina", VarType::I2},
                    {"lintSituacaoParaFiltro", VarType::I2},
                    {"lvarCodigoOuNomeParaFiltro", VarType::Variant},
                    {"lvarCodigoOuNomeDoAnimalParaFiltro", VarType::Variant}},
                   VarType::I2,
                   [](Object& o, std::span<Variant> a) {
                       return Variant(static_cast<C&>(o).Selecionar(a[0].toInt16(), a[1].toInt16(), a[2].toInt16(),
                                                                    a[3], a[4]));
                   }},
            membros::leitura("ResultadoDaSelecaoEmRecordset", &C::get_ResultadoDaSelecaoEmRecordset),
            membros::leitura("NumeroDoErro", &C::get_NumeroDoErro),
            membros::leitura("DescricaoDoErro", &C::get_DescricaoDoErro),
            membros::leitura("LocalDoErro", &C::get_LocalDoErro),
            membros::leitura("DescricaoDaFalha", &C::get_DescricaoDaFalha),
            membros::referencia("DadosDoUsuario", &C::putref_DadosDoUsuario),
        });
    return t;
}

Ref<Object> criarClsClientAnim() { return make<clsClientAnim>(); }

}  // namespace zelt::clientanim
