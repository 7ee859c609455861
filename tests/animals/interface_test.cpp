// _clsAnimais as a late-bound caller sees it: the slot order and calls by name with optional and
// by-reference arguments.
#include "ambiente.hpp"

namespace teste {
namespace {

using Interface = Ambiente;

TEST_F(Interface, MembersInSlotOrderAndAnAnimalAddedAndListedByName) {
    auto a = CreateObject("ZELT_N_ClientAnim.clsAnimais");
    const auto& t = refCast<clsAnimais>(a)->table();
    EXPECT_EQ(t.interfaceName(), "_clsAnimais");
    std::string nomes;
    for (const auto& m : t.slots())
        if (!nomes.ends_with(" " + m.name)) nomes += " " + m.name;
    EXPECT_EQ(nomes,
              " Adicionar Alterar Excluir Selecionar SelecionarParaComboBoxFiltradoPorCliente "
              "SelecionarParaImpressaoEExportacao PaginarResultadoDaSelecaoEmRecordset ValidarDados NomeDoCampoValidado "
              "Situacao AdicionarClienteEAnimalNaMesmaOperacao CodigoDoCliente ResultadoDaSelecaoEmRecordset "
              "NumeroTotalDeRegistros Codigo Nome Sexo DataDeNascimento CodigoDaEspecie CodigoDaRaca Porte Cor RGA "
              "Microchip Pedigree AnimalMorto Observacao DataHoraDaAtualizacao DadosDoUsuario CodigoGerado NumeroDoErro "
              "DescricaoDoErro LocalDoErro DescricaoDaFalha SelecionarAnimaisEmUmUnicoRegistro");
    EXPECT_EQ(t.slots()[9].kind, InvokeKind::PropertyPut);
    EXPECT_EQ(t.slots()[10].kind, InvokeKind::PropertyGet);

    const double dono = inserirCliente("Ana");
    putRefProperty(*a, "DadosDoUsuario", usuario());
    for (const auto& [nome, valor] : std::vector<std::pair<const char*, Variant>>{
             {"CodigoDoCliente", Variant(dono)}, {"Nome", Variant("Rex")}, {"Sexo", Variant("M")},
             {"CodigoDaEspecie", Variant(especie_)}, {"CodigoDaRaca", Variant(raca_)}, {"Situacao", Variant(int16_t{1})}})
        putProperty(*a, nome, valor);
    EXPECT_EQ(getProperty(*a, "Situacao").toInt16(), 1);
    ASSERT_EQ(callByName(*a, "Adicionar").toInt16(), 0) << getProperty(*a, "DescricaoDoErro").toText();
    EXPECT_GT(getProperty(*a, "CodigoGerado").toDouble(), 0);

    EXPECT_EQ(callByName(*a, "Selecionar", {Variant(int16_t{2}), Variant(int16_t{0}), Variant(int16_t{0}),
                                            Variant("Rex"), Variant(int16_t{3})}).toInt16(), 0);
    EXPECT_EQ(getProperty(*a, "NumeroTotalDeRegistros").toDouble(), 0) << "no operation assigns it";
    std::vector<Variant> args{Variant(dono), Variant("")};
    EXPECT_EQ(callByNameRef(*a, "SelecionarAnimaisEmUmUnicoRegistro", args).toInt16(), 0);
    EXPECT_EQ(args[1].toText(), "Rex");
    std::vector<Variant> pagina{Variant(int16_t{5}), Variant(Ref<Object>())};
    EXPECT_EQ(callByNameRef(*a, "PaginarResultadoDaSelecaoEmRecordset", pagina).toInt16(), 0);
    EXPECT_TRUE(refCast<ado::Recordset>(pagina[1].toObject()));
}

}  // namespace
}  // namespace teste
