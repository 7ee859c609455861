// PaginarResultadoDaSelecaoEmRecordset of clsAnimais and clsClientes over fabricated selections of
// 0, 1, 25 and 1000 rows.
#include <gtest/gtest.h>

#include "test_database.hpp"

#include <filesystem>

#include <unistd.h>

#include "zelt/automation/registry.hpp"
#include "zelt/clientanim/clientanim.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientes.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/texttreatment.hpp"

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

std::vector<int32_t> codigos(const Variant& pagina) {
    auto rs = refCast<ado::Recordset>(pagina.toObject());
    std::vector<int32_t> out;
    if (!rs) return out;
    for (int32_t r = 0; r < rs->get_RecordCount(); ++r) out.push_back(rs->valueAt(r, 0).toInt32());
    return out;
}

std::vector<int32_t> deAte(int32_t de, int32_t ate) {
    std::vector<int32_t> v;
    for (int32_t i = de; i <= ate; ++i) v.push_back(i);
    return v;
}

template <class Classe>
class Paginacao : public ::testing::Test {
protected:
    void SetUp() override {
        pasta_ = std::filesystem::temp_directory_path() /
                 ("zelt-paginacao-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(pasta_);
        ::setenv("ZELT_REGISTRY", (pasta_ / "registry.json").c_str(), 1);
        banco_ = std::make_unique<testing_support::TestDatabase>(pasta_);
        ::setenv("ZELT_DATABASE", banco_->name().c_str(), 1);
        dataaccess::DllRegisterServer();
        texttreatment::DllRegisterServer();
        ::DllRegisterServer();
        objeto = make<Classe>();
    }
    void TearDown() override {
        objeto.reset();
        std::filesystem::remove_all(pasta_);
    }

    // The result code, with the page in `pagina`.
    int16_t paginar(int16_t itens) { return objeto->PaginarResultadoDaSelecaoEmRecordset(itens, pagina); }
    std::string local(int ponto) const {
        return "ZELT_N_ClientAnim, " + objeto->classe() + ", PaginarResultadoDaSelecaoEmRecordset, Ponto: " + std::to_string(ponto);
    }

    std::filesystem::path pasta_;
    std::unique_ptr<testing_support::TestDatabase> banco_;
    Ref<Classe> objeto;
    Variant pagina = Variant(std::string("intocada"));
};

using Classes = ::testing::Types<clsAnimais, clsClientes>;
TYPED_TEST_SUITE(Paginacao, Classes);

TYPED_TEST(Paginacao, PageThreeOfTenHoldsRows21To30AndTheSourceStaysOnIt) {
    auto fonte = selecao(1000);
    this->objeto->guardarResultado(fonte);
    fonte->put_AbsolutePage(3);
    ASSERT_EQ(this->paginar(10), 0) << this->objeto->get_DescricaoDoErro();
    EXPECT_EQ(codigos(this->pagina), deAte(21, 30));
    EXPECT_EQ(fonte->get_AbsolutePage(), 3);
    EXPECT_EQ(fonte->get_AbsolutePosition(), 21);
    auto pagina = refCast<ado::Recordset>(this->pagina.toObject());
    EXPECT_EQ(pagina->get_AbsolutePosition(), 1);
    EXPECT_EQ(pagina->get_Fields().get_Count(), 3);
    for (int f = 0; f < 3; ++f) {
        const auto de = fonte->get_Fields().Item(f), para = pagina->get_Fields().Item(f);
        EXPECT_EQ(para->get_Name(), de->get_Name());
        EXPECT_EQ(para->get_Type(), de->get_Type());
        EXPECT_EQ(para->get_DefinedSize(), de->get_DefinedSize());
        EXPECT_EQ(para->get_Attributes(), de->get_Attributes());
    }
    EXPECT_TRUE(pagina->valueAt(1, 2).isNull());
    EXPECT_EQ(pagina->valueAt(0, 2).toDate().serial(), 40021.0);
}

TYPED_TEST(Paginacao, ShortLastPageFirstPageAfterTheEndAndASingleRow) {
    auto fonte = selecao(25);
    this->objeto->guardarResultado(fonte);
    fonte->put_AbsolutePage(3);
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), deAte(21, 25));

    fonte->MoveLast();
    fonte->MoveNext();  // after the last row
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), deAte(1, 10));
    EXPECT_EQ(fonte->get_AbsolutePage(), 1);

    this->objeto->guardarResultado(selecao(1));
    ASSERT_EQ(this->paginar(10), 0);
    EXPECT_EQ(codigos(this->pagina), deAte(1, 1));
}

TYPED_TEST(Paginacao, NothingToCopyFailsAtPointSixAndLeavesTheArgument) {
    struct Caso { int linhas; int16_t itens; };
    for (const Caso c : {Caso{0, 10}, Caso{25, 0}, Caso{25, -3}}) {
        SCOPED_TRACE(::testing::Message() << c.linhas << " rows, " << c.itens << " per page");
        this->objeto->guardarResultado(selecao(c.linhas));
        EXPECT_EQ(this->paginar(c.itens), 1);
        EXPECT_EQ(this->objeto->get_NumeroDoErro(), 3021);
        EXPECT_EQ(this->objeto->get_LocalDoErro(), this->local(6));
        EXPECT_EQ(this->pagina.toText(), "intocada");
    }
}

TYPED_TEST(Paginacao, NoSelectionBeforeFailsAtPointTwo) {
    EXPECT_EQ(this->paginar(10), 1);
    EXPECT_EQ(this->objeto->get_NumeroDoErro(), 91);
    EXPECT_EQ(this->objeto->get_LocalDoErro(), this->local(2));
    EXPECT_EQ(this->pagina.toText(), "intocada");
}

TYPED_TEST(Paginacao, ByDispatchThePageArgumentMayHoldAnythingAndIsKeptOnFailure) {
    for (const Variant& antes : {Variant(), Variant::null(), Variant("texto"), Variant(Ref<Object>())}) {
        SCOPED_TRACE(static_cast<int>(antes.type()));
        this->objeto->guardarResultado(nullptr);
        std::vector<Variant> args{Variant(int16_t{10}), antes};
        EXPECT_EQ(callByNameRef(*this->objeto, "PaginarResultadoDaSelecaoEmRecordset", args).toInt16(), 1);
        EXPECT_EQ(this->objeto->get_LocalDoErro(), this->local(2));
        EXPECT_EQ(args[1], antes);

        this->objeto->guardarResultado(selecao(25));
        args = {Variant(int16_t{10}), antes};
        EXPECT_EQ(callByNameRef(*this->objeto, "PaginarResultadoDaSelecaoEmRecordset", args).toInt16(), 0);
        EXPECT_EQ(codigos(args[1]), deAte(1, 10));
    }
}

}  // namespace
