// _clsClientes through late binding: slot order, the record's puts and the code's rounding.
#include "ambiente.hpp"

namespace zelt::clientanim::teste {
namespace {

using Interface = Ambiente;

// Written out whole, independently of the list the class is built from: a caller bound to the
// interface reaches every member by its position.
TEST_F(Interface, All78SlotsInInterfaceOrder) {
    using K = InvokeKind;
    const K M = K::Method, G = K::PropertyGet, P = K::PropertyPut, R = K::PropertyPutRef;
    const std::vector<std::pair<const char*, InvokeKind>> esperado{
        {"Adicionar", M}, {"Alterar", M}, {"AlterarCodigoIBGEDoMunicipio", M}, {"Excluir", M}, {"Selecionar", M},
        {"SelecionarClientesAgrupadoPorAno", M}, {"NumeroDeClientesAgrupadoPorMesAno", M},
        {"AtualizarCategoriaDaCurvaABC", M}, {"PaginarResultadoDaSelecaoEmRecordset", M}, {"ValidarDados", M},
        {"ValidarDadoEspecifico", M}, {"RetornarInformacoesDoLimiteDeCredito", M},
        {"NomeDoCampoValidado", G}, {"Situacao", P}, {"Situacao", G}, {"AdicionarClienteEAnimalNaMesmaOperacao", P},
        {"GradeDeAnimais", R}, {"ResultadoDaSelecaoEmRecordset", G}, {"NumeroTotalDeRegistros", G},
        {"Codigo", P}, {"TipoDeCliente", P}, {"ApelidoOuNomeFantasia", P}, {"NomeOuRazaoSocial", P}, {"Sexo", P},
        {"DataDeNascimento", P}, {"AnoDeNascimento", P}, {"CPFCNPJ", P}, {"RGIE", P}, {"VIP", P},
        {"CategoriaDaCurvaABC", P}, {"DadosDaCurvaABC", R}, {"CEP", P}, {"TipoDeLogradouro", P}, {"Logradouro", P},
        {"Numero", P}, {"Complemento", P}, {"Bairro", P}, {"Cidade", P}, {"CodigoIBGEDoMunicipio", P}, {"UF", P},
        {"EndCobCEP", P}, {"EndCobTipoDeLogradouro", P}, {"EndCobLogradouro", P}, {"EndCobNumero", P},
        {"EndCobComplemento", P}, {"EndCobBairro", P}, {"EndCobCidade", P}, {"EndCobUF", P},
        {"TipoDeCanalDeComunicacao1", P}, {"CanalDeComunicacao1", P}, {"TipoDeCanalDeComunicacao2", P},
        {"CanalDeComunicacao2", P}, {"TipoDeCanalDeComunicacao3", P}, {"CanalDeComunicacao3", P},
        {"TipoDeCanalDeComunicacao4", P}, {"CanalDeComunicacao4", P}, {"Profissao", P}, {"Observacao", P},
        {"LimiteDeCredito", P}, {"MotivoDaSituacao", P}, {"ClienteComDesconto", P}, {"DescontoUnico", P},
        {"PercentualUnicoDeDescontos", P}, {"PercentualDeDescontoEmClinicos", P},
        {"PercentualDeDescontoEmCirurgiaSimples", P}, {"PercentualDeDescontoEmCirurgiaMedia", P},
        {"PercentualDeDescontoEmCirurgiaComplexa", P}, {"PercentualDeDescontoEmBanhosTosasEEsteticas", P},
        {"PercentualDeDescontoEmHospedagens", P}, {"PercentualDeDescontoEmAdestramentos", P},
        {"PercentualDeDescontoEmOutros", P}, {"DataHoraDaAtualizacao", G}, {"DadosDoUsuario", R},
        {"NumeroDoErro", G}, {"DescricaoDoErro", G}, {"CodigoGerado", G}, {"LocalDoErro", G},
        {"DescricaoDaFalha", G}};
    ASSERT_EQ(esperado.size(), 78u);
    auto c = novoCliente();
    EXPECT_EQ(c->table().interfaceName(), "_clsClientes");
    const auto& slots = c->table().slots();
    ASSERT_EQ(slots.size(), esperado.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i].name, esperado[i].first) << i;
        EXPECT_EQ(slots[i].kind, esperado[i].second) << i;
    }
    // The types at the interface of a few kinds of property.
    EXPECT_EQ(slots[19].params.at(0).type, VarType::R8);
    EXPECT_EQ(slots[13].params.at(0).type, VarType::I2);
    EXPECT_EQ(slots[28].params.at(0).type, VarType::Bool);
    EXPECT_EQ(slots[58].params.at(0).type, VarType::Currency);
    EXPECT_EQ(slots[70].params.at(0).type, VarType::Currency);
    EXPECT_EQ(slots[73].returns, VarType::I4);
    EXPECT_EQ(slots[75].returns, VarType::R8);
    EXPECT_EQ(slots[2].returns, VarType::Variant);
    EXPECT_EQ(slots[9].returns, VarType::I2);
}

TEST_F(Interface, CodigoRoundsHalfToEvenAndOverflows) {
    auto c = novoCliente();
    const std::vector<std::pair<double, int32_t>> casos{
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {7.49, 7}, {0.5, 0}, {2147483647.0, 2147483647},
        {2147483646.5, 2147483646}, {-2147483648.5, -2147483648}};
    for (const auto& [entrada, guardado] : casos) {
        putProperty(*c, "Codigo", Variant(entrada));
        EXPECT_EQ(c->codigo(), guardado) << entrada;
    }
    // Rounded first: 2147483647.5 goes to the even 2147483648, which no longer fits.
    for (double fora : {2147483648.0, 2147483647.5, -2147483649.0}) {
        c->put_Codigo(41);
        try {
            putProperty(*c, "Codigo", Variant(fora));
            ADD_FAILURE() << "no overflow for " << fora;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::Overflow) << fora;
        }
        EXPECT_EQ(c->codigo(), 41) << fora;
    }
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
