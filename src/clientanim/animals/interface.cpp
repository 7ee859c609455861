// _clsAnimais: the members in the order of their slots, on which callers bound to the interface rely.
#include "clientanim/frame/membros.hpp"
#include "clientanim/frame/paginacao.hpp"
#include "zelt/clientanim/clsAnimais.hpp"

namespace zelt::clientanim {

namespace {

using C = clsAnimais;

C& eu(Object& o) { return static_cast<C&>(o); }

Param opcional(std::string nome, VarType tipo, bool porReferencia = false) {
    return Param{std::move(nome), tipo, true, porReferencia};
}

std::vector<Member> membrosDaInterface() {
    using namespace membros;
    return {
        operacao("Adicionar", &C::Adicionar),
        operacao("Alterar", &C::Alterar),
        operacao("Excluir", &C::Excluir),
        Member{"Selecionar", InvokeKind::Method,
               {{"lenuTipoDeLista", VarType::I2},
                {"lintTamanhoDaPagina", VarType::I2},
                {"lintSituacaoParaFiltro", VarType::I2},
                {"lvarCodigoOuNomeParaFiltro", VarType::Variant},
                opcional("lintAnimalVivoOuMorto", VarType::I2),
                opcional("ldouCodigoDoCliente", VarType::R8),
                opcional("lstrDataInicial", VarType::String),
                opcional("lstrDataFinal", VarType::String),
                opcional("lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao", VarType::I2)},
               VarType::I2,
               [](Object& o, std::span<Variant> a) {
                   return Variant(eu(o).Selecionar(a[0].toInt16(), a[1].toInt16(), a[2].toInt16(), a[3],
                                                   a[4].toInt16(), a[5].toDouble(), a[6].toText(), a[7].toText(),
                                                   a[8].toInt16()));
               }},
        Member{"SelecionarParaComboBoxFiltradoPorCliente", InvokeKind::Method,
               {opcional("ldouCodigoDoRegistroQueSeraExibidoEmUmaAlteracao", VarType::R8),
                opcional("lintAnimalVivoOuMorto", VarType::I2)},
               VarType::I2,
               [](Object& o, std::span<Variant> a) {
                   return Variant(eu(o).SelecionarParaComboBoxFiltradoPorCliente(a[0].toDouble(), a[1].toInt16()));
               }},
        Member{"SelecionarParaImpressaoEExportacao", InvokeKind::Method,
               {{"lintTipoDeRetorno", VarType::I2},
                opcional("lbytOpcaoSelecionada", VarType::UI1, true),
                opcional("lstrOrdemDoCampoParaSelecao", VarType::String, true),
                opcional("lstrDataInicial", VarType::String, true),
                opcional("lstrDataFinal", VarType::String, true)},
               VarType::I2,
               [](Object& o, std::span<Variant> a) {
                   return Variant(eu(o).SelecionarParaImpressaoEExportacao(a[0].toInt16(), a[1].toByte(), a[2].toText(),
                                                                           a[3].toText(), a[4].toText()));
               }},
        membroDePaginacao(),
        Member{"ValidarDados", InvokeKind::Method,
               {{"lintOperacao", VarType::I2}, {"lobjConexao", VarType::Object}, {"lrstRecordsetParaValidacoes", VarType::Object}},
               VarType::I2,
               [](Object& o, std::span<Variant> a) {
                   return Variant(eu(o).ValidarDados(a[0].toInt16(), a[1].toObject(), a[2].toObject()));
               }},
        leitura("NomeDoCampoValidado", &C::get_NomeDoCampoValidado),
        escrita("Situacao", &C::put_Situacao),
        leitura("Situacao", &C::get_Situacao),
        escrita("AdicionarClienteEAnimalNaMesmaOperacao", &C::put_AdicionarClienteEAnimalNaMesmaOperacao),
        escrita("CodigoDoCliente", &C::put_CodigoDoCliente),
        leitura("ResultadoDaSelecaoEmRecordset", &C::get_ResultadoDaSelecaoEmRecordset),
        leitura("NumeroTotalDeRegistros", &C::get_NumeroTotalDeRegistros),
        escrita("Codigo", &C::put_Codigo),
        escrita("Nome", &C::put_Nome),
        escrita("Sexo", &C::put_Sexo),
        escrita("DataDeNascimento", &C::put_DataDeNascimento),
        escrita("CodigoDaEspecie", &C::put_CodigoDaEspecie),
        escrita("CodigoDaRaca", &C::put_CodigoDaRaca),
        escrita("Porte", &C::put_Porte),
        escrita("Cor", &C::put_Cor),
        escrita("RGA", &C::put_RGA),
        escrita("Microchip", &C::put_Microchip),
        escrita("Pedigree", &C::put_Pedigree),
        escrita("AnimalMorto", &C::put_AnimalMorto),
        escrita("Observacao", &C::put_Observacao),
        leitura("DataHoraDaAtualizacao", &C::get_DataHoraDaAtualizacao),
        referencia("DadosDoUsuario", &C::putref_DadosDoUsuario),
        leitura("CodigoGerado", &C::get_CodigoGerado),
        leitura("NumeroDoErro", &C::get_NumeroDoErro),
        leitura("DescricaoDoErro", &C::get_DescricaoDoErro),
        leitura("LocalDoErro", &C::get_LocalDoErro),
        leitura("DescricaoDaFalha", &C::get_DescricaoDaFalha),
        Member{"SelecionarAnimaisEmUmUnicoRegistro", InvokeKind::Method,
               {{"ldouCodigoDoCliente", VarType::R8}, {"lstrListaDeAnimaisEmUmaLinha", VarType::String, false, true}},
               VarType::I2,
               [](Object& o, std::span<Variant> a) {
                   std::string lista = a[1].toText();
                   const int16_t r = eu(o).SelecionarAnimaisEmUmUnicoRegistro(a[0].toDouble(), lista);
                   a[1] = Variant(lista);
                   return Variant(r);
               }},
    };
}

}  // namespace

const DispatchTable& clsAnimais::tabela() {
    static const DispatchTable t("_clsAnimais", membrosDaInterface());
    return t;
}

}  // namespace zelt::clientanim
