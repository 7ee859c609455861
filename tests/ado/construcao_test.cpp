// Recordsets as an engine builds them: from one row-major store of values, or from one vector per
// row, and the lookups a copy of a page makes field by field.
#include "fabricado.hpp"

namespace teste_ado {
namespace {

const std::vector<ado::FieldDef> Campos = {
    {"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}, {"Saldo", ado::adDouble, 8}};

std::vector<std::string> linhas(ado::Recordset& rs) {
    std::vector<std::string> out;
    for (int32_t r = 0; r < rs.get_RecordCount(); ++r) {
        std::string linha;
        for (int f = 0; f < rs.fieldCount(); ++f) {
            const Variant& v = rs.valueAt(r, f);
            linha += (f ? "|" : "") + (v.isEmpty() ? std::string("Empty") : v.isNull() ? std::string("Null") : v.toText());
        }
        out.push_back(linha);
    }
    return out;
}

TEST(Construcao, ARowMajorStoreAndOneVectorPerRowGiveTheSameRecordset) {
    const std::vector<std::string> esperadas = {"1|Ana|2.5", "2|Null|0", "3|Bruno|Empty"};
    auto deValores = ado::Recordset::fromValues(
        Campos, {Variant(int32_t{1}), Variant("Ana"), Variant(2.5), Variant(int32_t{2}), Variant::null(), Variant(0.0),
                 Variant(int32_t{3}), Variant("Bruno")});  // the last row is short
    auto deLinhas = ado::Recordset::fromRows(Campos, {{Variant(int32_t{1}), Variant("Ana"), Variant(2.5)},
                                                      {Variant(int32_t{2}), Variant::null(), Variant(0.0)},
                                                      {Variant(int32_t{3}), Variant("Bruno")}});
    for (auto* rs : {deValores.get(), deLinhas.get()}) {
        EXPECT_EQ(rs->get_State(), ado::adStateOpen);
        EXPECT_EQ(rs->get_AbsolutePosition(), 1);
        EXPECT_EQ(linhas(*rs), esperadas);
        rs->put_Sort("Nome DESC");
        EXPECT_EQ((*rs)("Codigo").toInt32(), 3);
    }
}

TEST(Construcao, AnEmptyStoreOrNoFieldsGiveAnEmptyOpenRecordset) {
    auto semLinhas = ado::Recordset::fromValues(Campos, {});
    EXPECT_EQ(semLinhas->get_RecordCount(), 0);
    EXPECT_TRUE(semLinhas->get_EOF());
    auto semCampos = ado::Recordset::fromValues({}, {Variant(int32_t{1})});
    EXPECT_EQ(semCampos->get_RecordCount(), 0);
    EXPECT_EQ(semCampos->fieldCount(), 0);
}

// A page copy asks for each field by name in order, row after row; any other order finds the same.
TEST(Construcao, FieldsAreFoundByNameInAnyOrderAndCase) {
    auto rs = fabricado(2);
    const std::vector<std::string> nomes = {"Codigo", "Nome", "Nascimento", "Saldo"};
    for (int volta = 0; volta < 2; ++volta)
        for (int f = 0; f < 4; ++f) EXPECT_EQ(rs->fieldIndex(nomes[static_cast<size_t>(f)]), f);
    for (int f = 3; f >= 0; --f) EXPECT_EQ(rs->fieldIndex(nomes[static_cast<size_t>(f)]), f);
    EXPECT_EQ(rs->fieldIndex("SALDO"), 3);
    EXPECT_EQ(rs->fieldIndex("saldo"), 3);
    EXPECT_EQ(rs->fieldIndex("Sald"), -1);
    EXPECT_EQ(rs->fieldIndex("Codigo"), 0);
    EXPECT_EQ(rs->fieldIndex("Inexistente"), -1);
    EXPECT_EQ(rs->fieldIndex("Nome"), 1);
}

// Values are read in place: what a caller keeps is its own copy, unchanged by later writes.
TEST(Construcao, AValueKeptByTheCallerSurvivesChangesToTheRow) {
    auto rs = fabricado(3);
    const Variant nome = (*rs)("Nome");
    rs->get_Fields().Item(1)->put_Value(Variant("Outro"));
    rs->AddNew();
    EXPECT_EQ(nome.toText(), "Nome 1");
    rs->MoveFirst();
    EXPECT_EQ((*rs)(1).toText(), "Outro");
}

}  // namespace
}  // namespace teste_ado
