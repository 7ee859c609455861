// A recordset opened on a real connection and then disconnected; hierarchical recordsets; saving
// and loading as JSON; the connection's transaction rules.
#include "fabricado.hpp"
#include "test_database.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/jet/engine.hpp"

namespace teste_ado {
namespace {

class ComBanco : public ::testing::Test {
protected:
    zelt::testing_support::TempDirectory pasta_;
    zelt::testing_support::TestDatabase banco_{pasta_.path()};
    Ref<ado::Connection> conexao = make<ado::Connection>(jet::openDatabase(banco_.name()));
};

TEST_F(ComBanco, ADisconnectedRecordsetOutlivesItsConnection) {
    for (const char* nome : {"Bruno", "álvaro", "Ana", "Alberto", "ana"})
        conexao->Execute(std::string("INSERT INTO Clientes (TipoDeCliente, NomeOuRazaoSocial, LimiteDeCredito) VALUES ('PF', '") +
                         nome + "', 10.5)");
    auto rs = make<ado::Recordset>();
    rs->put_PageSize(2);
    rs->put_Source("SELECT Codigo, NomeOuRazaoSocial, LimiteDeCredito, DataDaUltimaCompra FROM Clientes ORDER BY Codigo");
    rs->putref_ActiveConnection(conexao);
    rs->Open();
    rs->putref_ActiveConnection(nullptr);
    EXPECT_FALSE(rs->get_ActiveConnection());
    conexao->Close();
    conexao.reset();

    EXPECT_EQ(rs->get_RecordCount(), 5);
    EXPECT_EQ(rs->get_PageSize(), 2);
    EXPECT_EQ(rs->get_PageCount(), 3);
    EXPECT_EQ(rs->get_Fields().Item(std::string_view("LimiteDeCredito"))->get_Type(), ado::adCurrency);
    EXPECT_EQ((*rs)("LimiteDeCredito").toText(), "10.5");
    EXPECT_TRUE((*rs)("DataDaUltimaCompra").isNull());
    rs->put_Sort("NomeOuRazaoSocial");
    EXPECT_EQ(coluna(*rs, "NomeOuRazaoSocial"), (std::vector<std::string>{"Alberto", "álvaro", "Ana", "ana", "Bruno"}));
    rs->put_AbsolutePage(3);
    EXPECT_EQ((*rs)("NomeOuRazaoSocial").toText(), "Bruno");
    // The late-bound Fields collection keeps the recordset it came from.
    auto campos = getProperty(*rs, "Fields").toObject();
    rs.reset();
    EXPECT_EQ(getProperty(*campos, "Count").toInt32(), 4);
    EXPECT_EQ(getProperty(*callDefault(*campos, {Variant(int32_t{1})}).toObject(), "Value").toText(), "Bruno");
}

TEST_F(ComBanco, TransactionsAreOneLevelAndBalanced) {
    const RuntimeError semTransacao = erroDe([&] { conexao->CommitTrans(); });
    EXPECT_EQ(semTransacao.number(), -2147168242);
    EXPECT_EQ(semTransacao.description(), "Nenhuma transação está ativa.");
    EXPECT_EQ(erroDe([&] { conexao->RollbackTrans(); }).number(), -2147168242);
    conexao->BeginTrans();
    EXPECT_EQ(erroDe([&] { conexao->BeginTrans(); }).number(), 3219);
    conexao->Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
    conexao->RollbackTrans();
    EXPECT_EQ(conexao->Execute("SELECT Count(*) FROM OSParaBD")->valueAt(0, 0).toInt32(), 0);
    int64_t afetadas = -1;
    EXPECT_FALSE(conexao->Execute("INSERT INTO OSParaBD (Numero) VALUES (1)", &afetadas));
    EXPECT_EQ(afetadas, 1);
    conexao->Close();
    EXPECT_EQ(conexao->get_State(), ado::adStateClosed);
    const RuntimeError fechada = erroDe([&] { conexao->Execute("SELECT Count(*) FROM OSParaBD"); });
    EXPECT_EQ(fechada.number(), 3709);
    auto rs = make<ado::Recordset>();
    rs->put_Source("SELECT Numero FROM OSParaBD");
    EXPECT_EQ(erroDe([&] { rs->Open(); }).number(), 3709);  // no connection
}

// Parents 1..3 and one without a code; children whose Dono relates them (as a whole number
// written either way), and one without an owner.
Ref<ado::Recordset> hierarquico(bool tomarLinhas = false, Ref<ado::Recordset>* fontes = nullptr) {
    auto pais = ado::Recordset::fromRows({{"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}},
                                         {{Variant(int32_t{1}), Variant("Ana")},
                                          {Variant(int32_t{2}), Variant("Bruno")},
                                          {Variant(int32_t{3}), Variant::null()},
                                          {Variant::null(), Variant("Sem código")}});
    auto filhos = ado::Recordset::fromRows({{"Dono", ado::adDouble, 8}, {"Animal", ado::adVarWChar, 50}},
                                           {{Variant(1.0), Variant("Rex")},
                                            {Variant(3.0), Variant("Mia")},
                                            {Variant(1.0), Variant("Bidu")},
                                            {Variant::null(), Variant("Sem dono")}});
    if (fontes) fontes[0] = pais, fontes[1] = filhos;
    return tomarLinhas ? ado::Recordset::relateTakingRows(pais, filhos, {{"codigo", "DONO"}}, "Animais")
                       : ado::Recordset::relate(pais, filhos, "codigo", "DONO", "Animais");
}

TEST(Hierarquia, TakingTheRowsRelatesAlikeAndLeavesTheSourcesEmpty) {
    Ref<ado::Recordset> fontes[2];
    const auto tomado = hierarquico(true, fontes);
    EXPECT_EQ(ado::toJson(*tomado), ado::toJson(*hierarquico()));
    for (const auto& fonte : fontes) {
        EXPECT_EQ(fonte->get_RecordCount(), 0);
        EXPECT_TRUE(fonte->get_EOF());
    }
}

TEST(Hierarquia, EachParentRowHoldsItsRelatedChildren) {
    using Textos = std::vector<std::string>;
    auto rs = hierarquico();
    ASSERT_EQ(rs->get_Fields().get_Count(), 3);
    EXPECT_EQ(rs->get_Fields().Item(2)->get_Name(), "Animais");
    EXPECT_EQ(rs->get_Fields().Item(2)->get_Type(), ado::adChapter);
    const auto filhos = [&] { return refCast<ado::Recordset>((*rs)("Animais").toObject()); };
    auto deAna = filhos();
    // A Null relates to nothing, not even to a child's Null.
    for (const Textos& esperado : {Textos{"Rex", "Bidu"}, Textos{}, Textos{"Mia"}, Textos{}}) {
        EXPECT_EQ(coluna(*filhos(), "Animal"), esperado);
        rs->MoveNext();
    }
    // Each read of a chapter hands out a recordset of its own: one sorted leaves the others as they were.
    deAna->put_Sort("Animal");
    EXPECT_EQ(coluna(*deAna, "Animal"), (Textos{"Bidu", "Rex"}));
    rs->MoveFirst();
    EXPECT_EQ(coluna(*filhos(), "Animal"), (Textos{"Rex", "Bidu"}));
}

TEST(Json, SavedAndLoadedWithKindsAndChapters) {
    auto rs = fabricado(2);
    const nlohmann::json j = ado::toJson(*rs);
    EXPECT_EQ(j["fields"][3], (nlohmann::json{{"name", "Saldo"}, {"type", 6}, {"definedSize", 8}, {"attributes", 0x60}}));
    EXPECT_EQ(j["rows"][1], (nlohmann::json{2, "Nome 2", "03/01/2000", 2.5}));
    auto lido = ado::fromJson(j);
    EXPECT_EQ(ado::toJson(*lido), j);
    EXPECT_EQ(lido->valueAt(1, 2).type(), VarType::Date);
    EXPECT_EQ(lido->valueAt(1, 3).type(), VarType::Currency);

    auto h = hierarquico();
    h->MoveLast();
    const nlohmann::json hj = ado::toJson(*h);
    EXPECT_EQ(h->get_AbsolutePosition(), 4);  // the caller's cursor stays where it was
    EXPECT_EQ(hj["rows"][0][2]["rows"], (nlohmann::json{{1.0, "Rex"}, {1.0, "Bidu"}}));
    EXPECT_EQ(hj["rows"][2][1], nullptr);
    auto hLido = ado::fromJson(hj);
    EXPECT_EQ(ado::toJson(*hLido), hj);
}

}  // namespace
}  // namespace teste_ado
