// _clsClientes through late binding: slot order, the record's puts and the code's rounding.
#include "ambiente.hpp"

namespace zelt::clientanim::teste {
namespace {

using Interface = Ambiente;

TEST_F(Interface, SlotsInInterfaceOrder) {
    auto c = novoCliente();
    const auto& slots = c->table().slots();
    ASSERT_EQ(slots.size(), 78u);
    EXPECT_EQ(c->table().interfaceName(), "_clsClientes");
    const std::vector<std::pair<size_t, const char*>> marcos{
        {0, "Adicionar"}, {2, "AlterarCodigoIBGEDoMunicipio"}, {4, "Selecionar"}, {7, "AtualizarCategoriaDaCurvaABC"},
        {8, "PaginarResultadoDaSelecaoEmRecordset"}, {10, "ValidarDadoEspecifico"},
        {11, "RetornarInformacoesDoLimiteDeCredito"}, {12, "NomeDoCampoValidado"}, {13, "Situacao"},
        {14, "Situacao"}, {16, "GradeDeAnimais"}, {18, "NumeroTotalDeRegistros"}, {19, "Codigo"},
        {20, "TipoDeCliente"}, {26, "CPFCNPJ"}, {28, "VIP"}, {29, "CategoriaDaCurvaABC"}, {30, "DadosDaCurvaABC"},
        {31, "CEP"}, {38, "CodigoIBGEDoMunicipio"}, {57, "Observacao"}, {58, "LimiteDeCredito"},
        {59, "MotivoDaSituacao"}, {61, "DescontoUnico"}, {62, "PercentualUnicoDeDescontos"},
        {70, "PercentualDeDescontoEmOutros"}, {71, "DataHoraDaAtualizacao"}, {72, "DadosDoUsuario"},
        {73, "NumeroDoErro"}, {74, "DescricaoDoErro"}, {75, "CodigoGerado"}, {76, "LocalDoErro"},
        {77, "DescricaoDaFalha"}};
    for (const auto& [slot, nome] : marcos) EXPECT_EQ(slots[slot].name, nome) << slot;
    EXPECT_EQ(slots[13].kind, InvokeKind::PropertyPut);
    EXPECT_EQ(slots[14].kind, InvokeKind::PropertyGet);
    EXPECT_EQ(slots[30].kind, InvokeKind::PropertyPutRef);
    EXPECT_EQ(slots[58].params.at(0).type, VarType::Currency);
    EXPECT_EQ(slots[28].params.at(0).type, VarType::Bool);
}

TEST_F(Interface, CodigoRoundsHalfToEvenAndOverflows) {
    auto c = novoCliente();
    const std::vector<std::pair<double, int32_t>> casos{{2.5, 2}, {3.5, 4}, {-2.5, -2}, {7.49, 7}, {2147483647.0, 2147483647}};
    for (const auto& [entrada, guardado] : casos) {
        putProperty(*c, "Codigo", Variant(entrada));
        EXPECT_EQ(c->codigo(), guardado) << entrada;
    }
    c->put_Codigo(41);
    try {
        c->put_Codigo(2147483648.0);
        FAIL() << "no overflow";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
    EXPECT_EQ(c->codigo(), 41);
}

TEST_F(Interface, PutsByNameKeepTheirKinds) {
    auto c = make<clsClientes>();
    Ref<Object> o = c;
    putProperty(*o, "tipodecliente", Variant("PJ"));
    putProperty(*o, "VIP", Variant(true));
    putProperty(*o, "PercentualDeDescontoEmOutros", Variant(12.5));
    putProperty(*o, "Situacao", Variant(int16_t(3)));
    putRefProperty(*o, "DadosDaCurvaABC", make<DadosDoUsuarioEmMemoria>());
    putProperty(*o, "MotivoDaSituacao", Variant("Primeira linha\r\nSegunda"));
    EXPECT_EQ(c->texto(clientes::Texto::TipoDeCliente), "PJ");
    EXPECT_TRUE(c->logico(clientes::Logico::VIP));
    EXPECT_EQ(c->moeda(clientes::Moeda::PercentualDeDescontoEmOutros), Currency::fromRaw(125000));
    EXPECT_EQ(getProperty(*o, "Situacao").toInt16(), 3);
    EXPECT_FALSE(c->texto(clientes::Texto::MotivoDaSituacao).empty());
    EXPECT_EQ(getProperty(*o, "NumeroTotalDeRegistros").toDouble(), 0);
    EXPECT_EQ(getProperty(*o, "DataHoraDaAtualizacao").toText(), "00:00:00");
}

TEST_F(Interface, CreatedByProgIdAndCalledByName) {
    Ref<Object> o = CreateObject("ZELT_N_ClientAnim.clsClientes");
    ASSERT_TRUE(refCast<clsClientes>(o));
    putRefProperty(*o, "DadosDoUsuario", usuario_);
    putProperty(*o, "CodigoIBGEDoMunicipio", Variant("3550308"));
    putProperty(*o, "Codigo", Variant(1.0));
    const Variant r = callByName(*o, "AlterarCodigoIBGEDoMunicipio");
    EXPECT_EQ(r.type(), VarType::I2);
    EXPECT_EQ(r.toInt16(), 0) << getProperty(*o, "DescricaoDoErro").toText();
    EXPECT_EQ(callByName(*o, "ValidarDados", {Variant(int16_t(3)), Variant(Ref<Object>()), Variant(Ref<Object>())}).toInt16(), 0);
}

}  // namespace
}  // namespace zelt::clientanim::teste
