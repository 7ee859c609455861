// PaginarResultadoDaSelecaoEmRecordset of clsAnimais and clsClientes, called by name and directly, over
// fabricated selections of 0, 1, 25 and 1000 rows.
#include "support/ambiente.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientes.hpp"

using namespace zelt;
using namespace zelt::clientanim;

namespace {

// Row i holds Codigo i and Nascimento, Null on even rows; pages of 10.
Ref<ado::Recordset> selecao(int linhas) {
    auto rs = make<ado::Recordset>();
    rs->get_Fields().Append("Codigo", ado::adInteger, 4, ado::adFldKeyColumn);
    rs->get_Fields().Append("Nascimento", ado::adDate, 8, ado::adFldIsNullable);
    rs->Open();
    for (int i = 1; i <= linhas; ++i) {
        rs->AddNew();
        rs->get_Fields().Item(0)->put_Value(Variant(int32_t{i}));
        rs->get_Fields().Item(1)->put_Value(i % 2 ? Variant(Date(40000.0 + i)) : Variant::null());
        rs->Update();
    }
    rs->put_PageSize(10);
    return rs;
}

template <class Classe>
class Paginacao : public testing_support::Ambiente {
protected:
    void SetUp() override {
        testing_support::Ambiente::SetUp();
        objeto = make<Classe>();
    }
    // The result code; the page, or what the argument held before, in args[1].
    int16_t paginar(std::vector<Variant>& args) { return callByNameRef(*objeto, "PaginarResultadoDaSelecaoEmRecordset", args).toInt16(); }

    Ref<Classe> objeto;
};

using Classes = ::testing::Types<clsAnimais, clsClientes>;
TYPED_TEST_SUITE(Paginacao, Classes);

// The page the source stands on (the first when it stands after the end), whatever the argument held; the
// source stays at the page's first row.
TYPED_TEST(Paginacao, PagesHoldTheirRowsAndTheSourceStaysOnThem) {
    struct Caso { int linhas, pagina; std::string codigos; int paginaDepois, posicaoDepois; Variant antes; };
    for (const Caso& c : std::vector<Caso>{{1000, 3, "21 22 23 24 25 26 27 28 29 30", 3, 21, Variant()},
                                           {25, 3, "21 22 23 24 25", 3, 21, Variant::null()},
                                           {25, 0, "1 2 3 4 5 6 7 8 9 10", 1, 1, Variant("texto")},
                                           {1, 1, "1", 1, 1, Variant(Ref<Object>())}}) {
        SCOPED_TRACE(c.codigos);
        auto fonte = selecao(c.linhas);
        this->objeto->guardarResultado(fonte);
        if (c.pagina) fonte->put_AbsolutePage(c.pagina);
        else fonte->MoveLast(), fonte->MoveNext();
        std::vector<Variant> args{Variant(int16_t{10}), c.antes};
        ASSERT_EQ(this->paginar(args), 0) << this->objeto->get_DescricaoDoErro();
        auto pagina = refCast<ado::Recordset>(args[1].toObject());
        std::string codigos;
        for (const auto& codigo : testing_support::coluna(pagina, "Codigo")) codigos += (codigos.empty() ? "" : " ") + codigo;
        EXPECT_EQ(codigos, c.codigos);
        EXPECT_EQ(fonte->get_AbsolutePage(), c.paginaDepois);
        EXPECT_EQ(fonte->get_AbsolutePosition(), c.posicaoDepois);
        // The page keeps the source's fields, their values and Nulls, and stands on its first row.
        EXPECT_EQ(pagina->get_AbsolutePosition(), 1);
        ASSERT_EQ(pagina->get_Fields().get_Count(), 2);
        for (int f = 0; f < 2; ++f) {
            const auto de = fonte->get_Fields().Item(f), para = pagina->get_Fields().Item(f);
            EXPECT_EQ(std::make_tuple(para->get_Name(), para->get_Type(), para->get_DefinedSize(), para->get_Attributes()),
                      std::make_tuple(de->get_Name(), de->get_Type(), de->get_DefinedSize(), de->get_Attributes()));
        }
        EXPECT_EQ(pagina->valueAt(0, 1).toDate().serial(), 40000.0 + std::stoi(c.codigos));
        EXPECT_TRUE(c.linhas == 1 || pagina->valueAt(1, 1).isNull());
    }
}

// Nothing to copy fails at point 6, no selection before at point 2; either leaves the argument as it was.
TYPED_TEST(Paginacao, FailuresLeaveTheArgument) {
    struct Caso { int linhas; int16_t itens; int32_t numero; int ponto; Variant antes; };
    for (const Caso& c : std::vector<Caso>{{0, 10, 3021, 6, Variant()}, {25, 0, 3021, 6, Variant::null()},
                                           {25, -3, 3021, 6, Variant("texto")}, {-1, 10, 91, 2, Variant(Ref<Object>())}}) {
        SCOPED_TRACE(::testing::Message() << c.linhas << " rows, " << c.itens << " per page");
        this->objeto->guardarResultado(c.linhas < 0 ? nullptr : selecao(c.linhas));
        Variant pagina = c.antes;
        EXPECT_EQ(this->objeto->PaginarResultadoDaSelecaoEmRecordset(c.itens, pagina), 1);
        EXPECT_EQ(this->objeto->get_NumeroDoErro(), c.numero);
        EXPECT_EQ(this->objeto->get_LocalDoErro(), "ZELT_N_ClientAnim, " + this->objeto->classe() +
                                                        ", PaginarResultadoDaSelecaoEmRecordset, Ponto: " + std::to_string(c.ponto));
        EXPECT_EQ(pagina, c.antes);
    }
}

}  // namespace
