// PaginarResultadoDaSelecaoEmRecordset of clsAnimais and clsClientes over fabricated selections of
// 0, 1, 25 and 1000 rows.
#include "support/ambiente.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientes.hpp"

using namespace zelt;
using namespace zelt::clientanim;

namespace {

// Row i holds Codigo i and Nome "Nome i"; Nascimento is Null on even rows.
Ref<ado::Recordset> selecao(int linhas) {
    auto rs = make<ado::Recordset>();
    rs->get_Fields().Append("Codigo", ado::adInteger, 4, ado::adFldKeyColumn);
    rs->get_Fields().Append("Nome", ado::adVarWChar, 60);
    rs->get_Fields().Append("Nascimento", ado::adDate, 8, ado::adFldIsNullable);
    rs->Open();
    for (int i = 1; i <= linhas; ++i) {
        rs->AddNew();
        rs->get_Fields().Item(0)->put_Value(Variant(int32_t{i}));
        rs->get_Fields().Item(1)->put_Value(Variant("Nome " + std::to_string(i)));
        rs->get_Fields().Item(2)->put_Value(i % 2 ? Variant(Date(40000.0 + i)) : Variant::null());
        rs->Update();
    }
    rs->put_PageSize(10);
    if (linhas > 0) rs->MoveFirst();
    return rs;
}

// The codes on a page, or "intocada" when the argument holds no recordset.
std::string codigos(const Variant& pagina) {
    auto rs = refCast<ado::Recordset>(pagina.toObject());
    if (!rs) return pagina.toText();
    std::string out;
    for (const auto& c : testing_support::coluna(rs, "Codigo")) out += (out.empty() ? "" : " ") + c;
    return out;
}

template <class Classe>
class Paginacao : public testing_support::Ambiente {
protected:
    void SetUp() override {
        testing_support::Ambiente::SetUp();
        objeto = make<Classe>();
    }
    // The result code, with the page in `pagina`.
    int16_t paginar(int16_t itens) { return objeto->PaginarResultadoDaSelecaoEmRecordset(itens, pagina); }
    std::string local(int ponto) const {
        return "ZELT_N_ClientAnim, " + objeto->classe() + ", PaginarResultadoDaSelecaoEmRecordset, Ponto: " + std::to_string(ponto);
    }

    Ref<Classe> objeto;
    Variant pagina = Variant(std::string("intocada"));
};

using Classes = ::testing::Types<clsAnimais, clsClientes>;
TYPED_TEST_SUITE(Paginacao, Classes);

TYPED_TEST(Paginacao, PagesHoldTheirRowsAndTheSourceStaysOnThem) {
    auto fonte = selecao(1000);
    this->objeto->guardarResultado(fonte);
    fonte->put_AbsolutePage(3);
    ASSERT_EQ(this->paginar(10), 0) << this->objeto->get_DescricaoDoErro();
    EXPECT_EQ(codigos(this->pagina), "21 22 23 24 25 26 27 28 29 30");
    EXPECT_EQ(fonte->get_AbsolutePage(), 3);
    EXPECT_EQ(fonte->get_AbsolutePosition(), 21);  // at the first row of the page, not after the copied ones
    auto pagina = refCast<ado::Recordset>(this->pagina.toObject());
    EXPECT_EQ(pagina->get_AbsolutePosition(), 1);
    ASSERT_EQ(pagina->get_Fields().get_Count(), 3);
    for (int f = 0; f < 3; ++f) {
        const auto de = fonte->get_Fields().Item(f), para = pagina->get_Fields().Item(f);
        EXPECT_EQ(para->get_Name(), de->get_Name());
        EXPECT_EQ(para->get_Type(), de->get_Type());
        EXPECT_EQ(para->get_DefinedSize(), de->get_DefinedSize());
        EXPECT_EQ(para->get_Attributes(), de->get_Attributes());
    }
    EXPECT_TRUE(pagina->valueAt(1, 2).isNull());
    EXPECT_EQ(pagina->valueAt(0, 2).toDate().serial(), 40021.0);

    // A short last page, the first page when the source stands after the end, and a single row.
    fonte = selecao(25);
    this->objeto->guardarResultado(fonte);
    fonte->put_AbsolutePage(3);
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), "21 22 23 24 25");
    fonte->MoveLast();
    fonte->MoveNext();
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), "1 2 3 4 5 6 7 8 9 10");
    EXPECT_EQ(fonte->get_AbsolutePage(), 1);
    this->objeto->guardarResultado(selecao(1));
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), "1");
}

// Nothing to copy fails at point 6, no selection before at point 2; either leaves the argument.
TYPED_TEST(Paginacao, FailuresLeaveTheArgument) {
    struct Caso { int linhas; int16_t itens; int32_t numero; int ponto; };
    for (const Caso c : {Caso{0, 10, 3021, 6}, Caso{25, 0, 3021, 6}, Caso{25, -3, 3021, 6}, Caso{-1, 10, 91, 2}}) {
        SCOPED_TRACE(::testing::Message() << c.linhas << " rows, " << c.itens << " per page");
        this->objeto->guardarResultado(c.linhas < 0 ? nullptr : selecao(c.linhas));
        EXPECT_EQ(this->paginar(c.itens), 1);
        EXPECT_EQ(this->objeto->get_NumeroDoErro(), c.numero);
        EXPECT_EQ(this->objeto->get_LocalDoErro(), this->local(c.ponto));
        EXPECT_EQ(this->pagina.toText(), "intocada");
    }
}

TYPED_TEST(Paginacao, ByDispatchThePageArgumentMayHoldAnythingAndIsKeptOnFailure) {
    for (const Variant& antes : {Variant(), Variant::null(), Variant("texto"), Variant(Ref<Object>())}) {
        SCOPED_TRACE(static_cast<int>(antes.type()));
        this->objeto->guardarResultado(nullptr);
        std::vector<Variant> args{Variant(int16_t{10}), antes};
        EXPECT_EQ(callByNameRef(*this->objeto, "PaginarResultadoDaSelecaoEmRecordset", args).toInt16(), 1);
        EXPECT_EQ(args[1], antes);
        this->objeto->guardarResultado(selecao(25));
        args = {Variant(int16_t{10}), antes};
        EXPECT_EQ(callByNameRef(*this->objeto, "PaginarResultadoDaSelecaoEmRecordset", args).toInt16(), 0);
        EXPECT_EQ(codigos(args[1]), "1 2 3 4 5 6 7 8 9 10");
    }
}

}  // namespace
