// PaginarResultadoDaSelecaoEmRecordset over a real selection of 35 animals: which rows a page holds,
// where the selection stands afterwards, and the page's columns (the paging's edge cases run over
// fabricated selections in tests/frame).
#include <cstdio>

#include "ambiente.hpp"

namespace teste {
namespace {

using Nomes = std::vector<std::string>;

class Paginacao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        const std::string dono = Variant(inserirCliente("Ana")).toText();
        for (int i = 1; i <= 35; ++i)
            sql("INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, Situacao, AnimalMorto, "
                "Pedigree) VALUES (" + dono + ", '" + nome(i) + "', 'F', " + Variant(especie_).toText() + ", " +
                Variant(raca_).toText() + ", 1, False, " + (i % 2 ? "True" : "False") + ")");
        a_ = animal(0, "");
        ASSERT_EQ(a_->Selecionar(ListaPaginada, 10, 0, Variant(), 3), 0) << a_->get_DescricaoDoErro();
        selecao_ = a_->get_ResultadoDaSelecaoEmRecordset();
    }
    static std::string nome(int i) {
        char n[16];
        std::snprintf(n, sizeof n, "Animal %02d", i);
        return n;
    }
    static Nomes nomesDe(int primeiro, int ultimo) {
        Nomes n;
        for (int i = primeiro; i <= ultimo; ++i) n.push_back(nome(i));
        return n;
    }
    // The names on the page that a paging with `itens` hands back.
    Nomes paginar(int16_t itens) {
        Variant pagina;
        EXPECT_EQ(a_->PaginarResultadoDaSelecaoEmRecordset(itens, pagina), 0) << a_->get_DescricaoDoErro();
        pagina_ = refCast<ado::Recordset>(pagina.toObject());
        return coluna(pagina_, "Nome");
    }

    Ref<clsAnimais> a_;
    Ref<ado::Recordset> selecao_, pagina_;
};

TEST_F(Paginacao, ThirdPageHoldsRows21To30AndTheSelectionStaysOnIt) {
    EXPECT_EQ(selecao_->get_PageCount(), 4);
    selecao_->put_AbsolutePage(3);
    EXPECT_EQ(paginar(10), nomesDe(21, 30));
    EXPECT_EQ(selecao_->get_AbsolutePage(), 3);
    EXPECT_EQ(selecao_->get_AbsolutePosition(), 21) << "at the first row of the page, not after the copied ones";
    EXPECT_EQ(pagina_->get_AbsolutePosition(), 1);
}

TEST_F(Paginacao, PageHasTheSelectionsColumnsAndValues) {
    selecao_->put_AbsolutePage(3);
    ASSERT_EQ(paginar(10).size(), 10u);
    ASSERT_EQ(pagina_->fieldCount(), selecao_->fieldCount());
    for (int i = 0; i < selecao_->fieldCount(); ++i) {
        auto de = selecao_->get_Fields().Item(i), para = pagina_->get_Fields().Item(i);
        EXPECT_EQ(para->get_Name(), de->get_Name());
        EXPECT_EQ(para->get_Type(), de->get_Type()) << de->get_Name();
        EXPECT_EQ(para->get_DefinedSize(), de->get_DefinedSize()) << de->get_Name();
        EXPECT_EQ(para->get_Attributes(), de->get_Attributes()) << de->get_Name();
        const Variant original = de->get_Value(), copia = para->get_Value();
        EXPECT_EQ(copia.isNull(), original.isNull()) << de->get_Name();
        if (!original.isNull()) {
            EXPECT_EQ(copia.toText(), original.toText()) << de->get_Name();
        }
    }
    EXPECT_TRUE((*pagina_)(std::string_view("DataDeNascimento")).isNull()) << "nulls are copied as nulls";
    EXPECT_EQ((*pagina_)(std::string_view("Pedigree")).toText(), "Sim");
}

}  // namespace
}  // namespace teste
