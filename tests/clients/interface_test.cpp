// _clsClientes through late binding: slot order, the record's puts and the code's rounding.
#include <sstream>

#include "support/clientes.hpp"

namespace zelt::clientanim::teste {
namespace {

using Interface = Ambiente;

// Written out whole, independently of the list the class is built from: a caller bound to the
// interface reaches every member by its position. "()" a method, "?" a get, "=" a put, "&" a put by reference.
TEST_F(Interface, All78SlotsInInterfaceOrder) {
    const std::string esperado =
        "Adicionar() Alterar() AlterarCodigoIBGEDoMunicipio() Excluir() Selecionar() SelecionarClientesAgrupadoPorAno() "
        "NumeroDeClientesAgrupadoPorMesAno() AtualizarCategoriaDaCurvaABC() PaginarResultadoDaSelecaoEmRecordset() "
        "ValidarDados() ValidarDadoEspecifico() RetornarInformacoesDoLimiteDeCredito() NomeDoCampoValidado? Situacao= "
        "Situacao? AdicionarClienteEAnimalNaMesmaOperacao= GradeDeAnimais& ResultadoDaSelecaoEmRecordset? "
        "NumeroTotalDeRegistros? Codigo= TipoDeCliente= ApelidoOuNomeFantasia= NomeOuRazaoSocial= Sexo= "
        "DataDeNascimento= AnoDeNascimento= CPFCNPJ= RGIE= VIP= CategoriaDaCurvaABC= DadosDaCurvaABC& CEP= "
        "TipoDeLogradouro= Logradouro= Numero= Complemento= Bairro= Cidade= CodigoIBGEDoMunicipio= UF= EndCobCEP= "
        "EndCobTipoDeLogradouro= EndCobLogradouro= EndCobNumero= EndCobComplemento= EndCobBairro= EndCobCidade= "
        "EndCobUF= TipoDeCanalDeComunicacao1= CanalDeComunicacao1= TipoDeCanalDeComunicacao2= CanalDeComunicacao2= "
        "TipoDeCanalDeComunicacao3= CanalDeComunicacao3= TipoDeCanalDeComunicacao4= CanalDeComunicacao4= Profissao= "
        "Observacao= LimiteDeCredito= MotivoDaSituacao= ClienteComDesconto= DescontoUnico= "
        "PercentualUnicoDeDescontos= PercentualDeDescontoEmClinicos= PercentualDeDescontoEmCirurgiaSimples= "
        "PercentualDeDescontoEmCirurgiaMedia= PercentualDeDescontoEmCirurgiaComplexa= "
        "PercentualDeDescontoEmBanhosTosasEEsteticas= PercentualDeDescontoEmHospedagens= "
        "PercentualDeDescontoEmAdestramentos= PercentualDeDescontoEmOutros= DataHoraDaAtualizacao? DadosDoUsuario& "
        "NumeroDoErro? DescricaoDoErro? CodigoGerado? LocalDoErro? DescricaoDaFalha?";
    auto c = novoCliente();
    EXPECT_EQ(c->table().interfaceName(), "_clsClientes");
    const auto& slots = c->table().slots();
    std::ostringstream obtido;
    for (const auto& s : slots) {
        const char* tipo = s.kind == InvokeKind::Method ? "()" : s.kind == InvokeKind::PropertyGet ? "?"
                         : s.kind == InvokeKind::PropertyPut ? "=" : "&";
        obtido << (obtido.tellp() ? " " : "") << s.name << tipo;
    }
    EXPECT_EQ(obtido.str(), esperado);
    ASSERT_EQ(slots.size(), 78u);
    // The types at the interface of a few kinds of property.
    for (const auto& [slot, tipo] : std::vector<std::pair<int, VarType>>{
             {19, VarType::R8}, {13, VarType::I2}, {28, VarType::Bool}, {58, VarType::Currency}, {70, VarType::Currency}})
        EXPECT_EQ(slots[slot].params.at(0).type, tipo) << slot;
    for (const auto& [slot, tipo] : std::vector<std::pair<int, VarType>>{
             {73, VarType::I4}, {75, VarType::R8}, {2, VarType::Variant}, {9, VarType::I2}})
        EXPECT_EQ(slots[slot].returns, tipo) << slot;
}

// Codigo is rounded half to even; what no longer fits is an overflow that keeps the old value.
TEST_F(Interface, CodigoRoundsHalfToEvenAndOverflows) {
    auto c = novoCliente();
    for (const auto& [entrada, guardado] : std::vector<std::pair<double, int32_t>>{{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483646.5, 2147483646}}) {
        putProperty(*c, "Codigo", Variant(entrada));
        EXPECT_EQ(c->codigo(), guardado) << entrada;
    }
    for (double fora : {2147483647.5, -2147483649.0}) {
        c->put_Codigo(41);
        try { putProperty(*c, "Codigo", Variant(fora)); ADD_FAILURE() << fora; } catch (const RuntimeError& e) { EXPECT_EQ(e.number(), err::Overflow); }
        EXPECT_EQ(c->codigo(), 41) << fora;
    }
}

// By name from its ProgID: names in any case, a put that reaches a putref as Set, a property read as a method call.
TEST_F(Interface, CalledByNameFromItsProgId) {
    Ref<Object> o = CreateObject("ZELT_N_ClientAnim.clsClientes");
    auto c = refCast<clsClientes>(o);
    ASSERT_TRUE(c);
    putProperty(*o, "tipodecliente", Variant("PJ"));
    putProperty(*o, "DadosDaCurvaABC", Variant(Ref<Object>(make<DadosDoUsuarioEmMemoria>())));
    EXPECT_EQ(callByName(*o, "NumeroDoErro").toInt32(), 0);
    EXPECT_EQ(c->texto(clientes::Texto::TipoDeCliente), "PJ");
    EXPECT_EQ(getProperty(*o, "DataHoraDaAtualizacao").toText(), "00:00:00");
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
