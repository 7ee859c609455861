// Recordsets as an engine or a caller builds them and the client-side cursor over them (moving, paging,
// sorting, ADO's errors where there is no row); hierarchies; JSON; the connection's transactions.
#include <gtest/gtest.h>

#include <functional>

#include "support/erro_de.hpp"
#include "test_database.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/jet/engine.hpp"

namespace teste_ado {
namespace {

using namespace zelt;
using testing_support::errorOf;

// Row i (1-based) holds Codigo i, Nome "Nome i", Nascimento 1 Jan 2000 + i days, Saldo i,5.
inline Ref<ado::Recordset> fabricado(int linhas) {
    auto rs = make<ado::Recordset>();
    ado::Fields& campos = rs->get_Fields();
    for (const ado::FieldDef& f : std::vector<ado::FieldDef>{
             {"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}, {"Nascimento", ado::adDate, 8}, {"Saldo", ado::adCurrency, 8}})
        campos.Append(f.name, f.type, f.definedSize);
    rs->Open();
    const Date inicio = *Date::parseRegional("01/01/2000");
    for (int i = 1; i <= linhas; ++i) {
        rs->AddNew();
        campos.Item(0)->put_Value(Variant(int32_t{i}));
        campos.Item(std::string_view("nome"))->put_Value(Variant("Nome " + std::to_string(i)));
        campos.Item(2)->put_Value(Variant(Date(inicio.serial() + i)));
        campos.Item(3)->put_Value(Variant(Currency::fromRaw(i * 10000 + 5000)));
        rs->Update();
    }
    if (linhas > 0) rs->MoveFirst();
    return rs;
}

// A recordset of one column (and its insertion order in Ordem) for the Sort cases.
Ref<ado::Recordset> comValores(const std::vector<Variant>& valores, ado::DataType tipo = ado::adVarWChar) {
    std::vector<std::vector<Variant>> linhas;
    for (const Variant& v : valores) linhas.push_back({v, Variant(static_cast<int32_t>(linhas.size() + 1))});
    return ado::Recordset::fromRows({{"Valor", tipo, 50}, {"Ordem", ado::adInteger, 4}}, std::move(linhas));
}

using Textos = std::vector<std::string>;

// Every row as "v|v|v" ("Empty", "Null" for those), or only the column named.
Textos linhas(ado::Recordset& rs, const char* nome = nullptr) {
    Textos out;
    const int de = nome ? rs.fieldIndex(nome) : 0, ate = nome ? de + 1 : rs.fieldCount();
    for (int32_t r = 0; r < rs.get_RecordCount(); ++r) {
        std::string linha;
        for (int f = de; f < ate; ++f) {
            const Variant& v = rs.valueAt(r, f);
            linha += (f > de ? "|" : "") + (v.isEmpty() ? std::string("Empty") : v.isNull() ? std::string("Null") : v.toText());
        }
        out.push_back(linha);
    }
    return out;
}

class ComBanco : public ::testing::Test {
protected:
    zelt::testing_support::TempDirectory pasta_;
    zelt::testing_support::TestDatabase banco_{pasta_.path()};
    Ref<ado::Connection> conexao = make<ado::Connection>(jet::openDatabase(banco_.name()));
};

TEST_F(ComBanco, ADisconnectedRecordsetOutlivesItsConnection) {
    for (const std::string nome : {"Bruno", "álvaro", "Ana", "Alberto", "ana"})
        conexao->Execute("INSERT INTO Clientes (NomeOuRazaoSocial, LimiteDeCredito) VALUES ('" + nome + "', 10.5)");
    auto rs = make<ado::Recordset>();
    rs->put_PageSize(2);
    rs->put_Source("SELECT Codigo, NomeOuRazaoSocial, LimiteDeCredito, DataDaUltimaCompra FROM Clientes ORDER BY Codigo");
    rs->putref_ActiveConnection(conexao);
    rs->Open();
    rs->putref_ActiveConnection(nullptr);
    EXPECT_FALSE(rs->get_ActiveConnection());
    conexao->Close();
    conexao.reset();

    EXPECT_EQ(std::tuple(rs->get_RecordCount(), rs->get_PageSize(), rs->get_PageCount()), std::tuple(5, 2, 3));
    EXPECT_EQ(rs->get_Fields().Item(std::string_view("LimiteDeCredito"))->get_Type(), ado::adCurrency);
    EXPECT_EQ(linhas(*rs)[0], "1|Bruno|10.5|Null");
    rs->put_AbsolutePage(3);
    EXPECT_EQ((*rs)("NomeOuRazaoSocial").toText(), "ana");
    // The late-bound Fields collection keeps the recordset it came from.
    auto campos = getProperty(*rs, "Fields").toObject();
    rs.reset();
    EXPECT_EQ(getProperty(*campos, "Count").toInt32(), 4);
    EXPECT_EQ(getProperty(*callDefault(*campos, {Variant(int32_t{1})}).toObject(), "Value").toText(), "ana");
}

TEST_F(ComBanco, TransactionsAreOneLevelAndBalanced) {
    const RuntimeError semTransacao = errorOf([&] { conexao->CommitTrans(); });
    EXPECT_EQ(std::to_string(semTransacao.number()) + semTransacao.description(), "-2147168242Nenhuma transação está ativa.");
    EXPECT_EQ(errorOf([&] { conexao->RollbackTrans(); }).number(), -2147168242);
    conexao->BeginTrans();
    EXPECT_EQ(errorOf([&] { conexao->BeginTrans(); }).number(), 3219);
    conexao->Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
    conexao->RollbackTrans();
    EXPECT_EQ(conexao->Execute("SELECT Count(*) FROM OSParaBD")->valueAt(0, 0).toInt32(), 0);
    int64_t afetadas = -1;
    EXPECT_FALSE(conexao->Execute("INSERT INTO OSParaBD (Numero) VALUES (1)", &afetadas));
    EXPECT_EQ(afetadas, 1);
    conexao->Close();
    EXPECT_EQ(conexao->get_State(), ado::adStateClosed);
    EXPECT_EQ(errorOf([&] { conexao->Execute("SELECT Count(*) FROM OSParaBD"); }).number(), 3709);
    auto rs = make<ado::Recordset>();
    rs->put_Source("SELECT Numero FROM OSParaBD");
    EXPECT_EQ(errorOf([&] { rs->Open(); }).number(), 3709);  // no connection
}

// Parents 1..3 and one without a code; children whose Dono relates them (as a whole number
// written either way), and one without an owner.
Ref<ado::Recordset> hierarquico() {
    return ado::Recordset::relate(
        ado::Recordset::fromRows({{"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}},
                                 {{Variant(int32_t{1}), Variant("Ana")}, {Variant(int32_t{2}), Variant("Bruno")},
                                  {Variant(int32_t{3}), Variant::null()}, {Variant::null(), Variant("Sem código")}}),
        ado::Recordset::fromRows({{"Dono", ado::adDouble, 8}, {"Animal", ado::adVarWChar, 50}},
                                 {{Variant(1.0), Variant("Rex")}, {Variant(3.0), Variant("Mia")}, {Variant(1.0), Variant("Bidu")},
                                  {Variant::null(), Variant("Sem dono")}}),
        "codigo", "DONO", "Animais");
}

TEST(Hierarquia, EachParentRowHoldsItsRelatedChildren) {
    auto rs = hierarquico();
    ASSERT_EQ(rs->get_Fields().get_Count(), 3);
    EXPECT_EQ(std::tuple(rs->get_Fields().Item(2)->get_Name(), rs->get_Fields().Item(2)->get_Type()), std::tuple("Animais", ado::adChapter));
    const auto filhos = [&] { return refCast<ado::Recordset>((*rs)("Animais").toObject()); };
    auto deAna = filhos();
    // A Null relates to nothing, not even to a child's Null.
    for (const Textos& esperado : {Textos{"Rex", "Bidu"}, Textos{}, Textos{"Mia"}, Textos{}}) {
        EXPECT_EQ(linhas(*filhos(), "Animal"), esperado);
        rs->MoveNext();
    }
    // Each read of a chapter hands out a recordset of its own: one sorted leaves the others as they were.
    deAna->put_Sort("Animal");
    EXPECT_EQ(linhas(*deAna, "Animal"), (Textos{"Bidu", "Rex"}));
    rs->MoveFirst();
    EXPECT_EQ(linhas(*filhos(), "Animal"), (Textos{"Rex", "Bidu"}));
}

TEST(Json, SavedAndLoadedWithKindsAndChapters) {
    auto rs = fabricado(2);
    const nlohmann::json j = ado::toJson(*rs);
    EXPECT_EQ(j["fields"][3], (nlohmann::json{{"name", "Saldo"}, {"type", 6}, {"definedSize", 8}, {"attributes", 0x60}}));
    EXPECT_EQ(j["rows"][1], (nlohmann::json{2, "Nome 2", "03/01/2000", 2.5}));
    auto lido = ado::fromJson(j);
    EXPECT_EQ(ado::toJson(*lido), j);
    EXPECT_EQ(std::tuple(lido->valueAt(1, 2).type(), lido->valueAt(1, 3).type()), std::tuple(VarType::Date, VarType::Currency));

    auto h = hierarquico();
    h->MoveLast();
    const nlohmann::json hj = ado::toJson(*h);
    EXPECT_EQ(h->get_AbsolutePosition(), 4);  // the caller's cursor stays where it was
    EXPECT_EQ(hj["rows"][0][2]["rows"], (nlohmann::json{{1.0, "Rex"}, {1.0, "Bidu"}}));
    EXPECT_EQ(hj["rows"][2][1], nullptr);
    EXPECT_EQ(ado::toJson(*ado::fromJson(hj)), hj);
}

TEST(Recordset, ARowMajorStoreAndOneVectorPerRowGiveTheSameRecordset) {
    const std::vector<ado::FieldDef> campos = {{"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}, {"Saldo", ado::adDouble, 8}};
    const Variant um(int32_t{1}), dois(int32_t{2}), tres(int32_t{3});
    // The last row is short.
    for (const auto& rs : {ado::Recordset::fromValues(campos, {um, Variant("Ana"), Variant(2.5), dois, Variant::null(), Variant(0.0), tres,
                                                               Variant("Bruno")}),
                           ado::Recordset::fromRows(campos, {{um, Variant("Ana"), Variant(2.5)}, {dois, Variant::null(), Variant(0.0)},
                                                             {tres, Variant("Bruno")}})}) {
        EXPECT_EQ(std::tuple(rs->get_State(), rs->get_AbsolutePosition()), std::tuple(ado::adStateOpen, 1));
        EXPECT_EQ(linhas(*rs), (Textos{"1|Ana|2.5", "2|Null|0", "3|Bruno|Empty"}));
        rs->put_Sort("Nome DESC");
        EXPECT_EQ((*rs)("Codigo").toInt32(), 3);
    }
    EXPECT_TRUE(ado::Recordset::fromValues(campos, {})->get_EOF());
    EXPECT_EQ(linhas(*ado::Recordset::fromValues({}, {um})), Textos{});
}

// A page copy asks for each field by name in order, row after row; any other order finds the same.
TEST(Recordset, FieldsAreFoundByNameInAnyOrderAndCase) {
    auto rs = fabricado(2);
    for (const auto& [nome, indice] : std::vector<std::pair<const char*, int>>{
             {"Codigo", 0}, {"Nome", 1}, {"Nascimento", 2}, {"Saldo", 3}, {"Codigo", 0}, {"Nome", 1}, {"Nascimento", 2}, {"Saldo", 3},
             {"Saldo", 3}, {"Nascimento", 2}, {"Nome", 1}, {"Codigo", 0}, {"SALDO", 3}, {"saldo", 3}, {"Sald", -1}, {"Codigo", 0},
             {"Inexistente", -1}, {"Nome", 1}})
        EXPECT_EQ(rs->fieldIndex(nome), indice) << nome;
}

TEST(Recordset, CountsAndPagesOfRecordsetsOfEverySize) {
    struct Caso { int linhas, paginas, naUltimaPagina; };
    for (const Caso c : {Caso{0, 0, 0}, Caso{1, 1, 1}, Caso{25, 3, 5}, Caso{1000, 100, 10}}) {
        SCOPED_TRACE(c.linhas);
        auto rs = fabricado(c.linhas);
        EXPECT_EQ(std::tuple(rs->get_State(), rs->get_RecordCount(), rs->get_PageSize(), rs->get_PageCount(), rs->get_EOF(), rs->get_BOF()),
                  std::tuple(ado::adStateOpen, c.linhas, 10, c.paginas, c.linhas == 0, c.linhas == 0));
        EXPECT_EQ(rs->get_AbsolutePage(), c.linhas ? 1 : ado::adPosUnknown);
        if (c.linhas == 0) continue;
        rs->put_AbsolutePage(c.paginas);
        int naPagina = 0;
        for (; !rs->get_EOF(); rs->MoveNext(), ++naPagina) EXPECT_EQ(rs->get_AbsolutePage(), c.paginas);
        EXPECT_EQ(std::pair(naPagina, rs->get_AbsolutePage()), std::pair(c.naUltimaPagina, int32_t{ado::adPosEOF}));
    }
}

// Each step on 1000 rows, and where the cursor then stands: "position/page/Codigo".
TEST(Recordset, MovesAndPagesStandWhereAdoStands) {
    auto rs = fabricado(1000);
    const auto onde = [&](const std::function<void()>& passo) {
        passo();
        return std::to_string(rs->get_AbsolutePosition()) + "/" + std::to_string(rs->get_AbsolutePage()) +
               (rs->get_BOF() || rs->get_EOF() ? "" : "/" + (*rs)(0).toText());
    };
    const std::vector<std::pair<std::function<void()>, const char*>> passos = {
        {[&] { rs->put_AbsolutePage(3); }, "21/3/21"}, {[&] { rs->Move(9); }, "30/3/30"}, {[&] { rs->MoveNext(); }, "31/4/31"},
        {[&] { rs->put_PageSize(250); }, "31/1/31"},    {[&] { rs->MoveLast(); }, "1000/4/1000"}, {[&] { rs->MovePrevious(); }, "999/4/999"},
        {[&] { rs->Move(-998); }, "1/1/1"},            {[&] { rs->MovePrevious(); }, "-2/-2"},
        // Sorted on several fields, then paged in the sorted order.
        {[&] { rs->put_Sort("Saldo DESC, Codigo"); rs->put_PageSize(10); rs->put_AbsolutePage(3); }, "21/3/980"},
        {[&] { rs->MoveFirst(); rs->Delete(); rs->MoveFirst(); }, "1/1/999"},
    };
    for (const auto& [passo, esperado] : passos) EXPECT_EQ(onde(passo), esperado);
    EXPECT_EQ(rs->get_RecordCount(), 999);
}

TEST(Recordset, ValuesKeepTheirKindsAndAreReachedByNameOrIndex) {
    auto rs = fabricado(25);
    rs->put_AbsolutePosition(7);
    const Variant nome = (*rs)("NOME");
    EXPECT_EQ(nome.toText() + " " + (*rs)(2).toText() + " " + (*rs)("Saldo").toText(), "Nome 7 08/01/2000 7.5");
    EXPECT_EQ((*rs)("Saldo").type(), VarType::Currency);
    // The default members, as a late-bound caller writes rs("Nome") and rs.Fields(1).
    EXPECT_EQ(callDefault(*rs, {Variant("nome")}).toText(), "Nome 7");
    auto campo = callDefault(rs->get_Fields(), {Variant(int32_t{1})}).toObject();
    EXPECT_EQ(getProperty(*campo, "Name").toText() + getProperty(*campo, "Type").toText() + getProperty(*campo, "DefinedSize").toText(), "Nome20250");
    // Values are read in place: what a caller keeps is its own copy, unchanged by later writes.
    rs->get_Fields().Item(1)->put_Value(Variant("Outro"));
    rs->AddNew();
    rs->put_AbsolutePosition(7);
    EXPECT_EQ(nome.toText() + (*rs)(1).toText(), "Nome 7Outro");
}

TEST(Recordset, GoingWhereThereIsNoRowIsTheErrorAdoGives) {
    const char* const semRegistro = "O BOF ou o EOF é True ou o registro atual foi excluído. A operação solicitada requer um registro atual.";
    const char* const naoEncontrado = "O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal solicitado.";
    const char* const invalidos = "Os argumentos são do tipo errado, estão fora do intervalo aceitável ou estão em conflito.";
    const char* const aberto = "A operação não é permitida quando o objeto está aberto.";
    struct Caso { const char* oQue; int linhas; std::function<void(ado::Recordset&)> passo; int32_t numero; const char* descricao; };
    const std::vector<Caso> casos = {
        {"MoveNext at EOF", 3, [](ado::Recordset& rs) { rs.MoveLast(); rs.MoveNext(); rs.MoveNext(); }, 3021, semRegistro},
        {"MovePrevious at BOF", 3, [](ado::Recordset& rs) { rs.MovePrevious(); rs.MovePrevious(); }, 3021, semRegistro},
        {"Move past the end", 3, [](ado::Recordset& rs) { rs.Move(3); rs.Move(1); }, 3021, semRegistro},
        {"a field at EOF", 3, [](ado::Recordset& rs) { rs.MoveLast(); rs.MoveNext(); rs("Nome"); }, 3021, semRegistro},
        {"a field of an empty recordset", 0, [](ado::Recordset& rs) { rs(0); }, 3021, semRegistro},
        {"MoveFirst on an empty recordset", 0, [](ado::Recordset& rs) { rs.MoveFirst(); }, 3021, semRegistro},
        {"an unknown field", 3, [](ado::Recordset& rs) { rs("Inexistente"); }, 3265, naoEncontrado},
        {"a field index past the last", 3, [](ado::Recordset& rs) { rs.get_Fields().Item(4); }, 3265, naoEncontrado},
        {"AbsolutePage 0", 25, [](ado::Recordset& rs) { rs.put_AbsolutePage(0); }, 3001, invalidos},
        {"AbsolutePage past PageCount", 25, [](ado::Recordset& rs) { rs.put_AbsolutePage(4); }, 3001, invalidos},
        {"AbsolutePage of an empty recordset", 0, [](ado::Recordset& rs) { rs.put_AbsolutePage(1); }, 3001, invalidos},
        {"PageSize 0", 3, [](ado::Recordset& rs) { rs.put_PageSize(0); }, 3001, invalidos},
        {"a Sort on an unknown field", 3, [](ado::Recordset& rs) { rs.put_Sort("Inexistente DESC"); }, 3265, naoEncontrado},
        {"Append while open", 3, [](ado::Recordset& rs) { rs.get_Fields().Append("Outro", ado::adInteger); }, 3705, aberto},
        {"Open twice", 3, [](ado::Recordset& rs) { rs.Open(); }, 3705, aberto},
        {"EOF after Close", 3, [](ado::Recordset& rs) { rs.Close(); rs.get_EOF(); }, 3704,
         "A operação não é permitida quando o objeto está fechado."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.oQue);
        const RuntimeError e = errorOf([&] { c.passo(*fabricado(c.linhas)); });
        EXPECT_EQ(std::to_string(e.number()) + " " + e.description(), std::to_string(c.numero) + " " + c.descricao);
    }
}

// Sort: stable, Portuguese text order without regard to case, numbers and dates by value with
// Nulls first; "" gives back the order of insertion.
TEST(Recordset, SortOrdersAsJetDoes) {
    const auto data = [](const char* d) { return Variant(*Date::parseRegional(d)); };
    const std::vector<Variant> nomes = {Variant("Bruno"), Variant("ana"), Variant("Álvaro"), Variant("Ana"), Variant("Alberto"),
                                        Variant("Amanda"), Variant("ÁLVARO"), Variant("Zé"), Variant("álvaro")};
    const std::vector<Variant> numeros = {Variant(10.0), Variant(9.5), Variant::null(), Variant(100.0), Variant(-1.0)};
    // The orders are applied in turn to the same recordset.
    const struct { std::vector<Variant> valores; ado::DataType tipo; std::vector<const char*> ordens; const char* coluna; Textos esperado; } casos[] = {
        {nomes, ado::adVarWChar, {"Valor"}, "Valor", {"Alberto", "Álvaro", "ÁLVARO", "álvaro", "Amanda", "ana", "Ana", "Bruno", "Zé"}},
        {nomes, ado::adVarWChar, {"Valor", "[Valor] DESC"}, "Valor", {"Zé", "Bruno", "ana", "Ana", "Amanda", "Álvaro", "ÁLVARO", "álvaro", "Alberto"}},
        {nomes, ado::adVarWChar, {"Valor", ""}, "Ordem", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {numeros, ado::adDouble, {"Valor ASC"}, "Valor", {"Null", "-1", "9.5", "10", "100"}},
        {numeros, ado::adDouble, {"Valor DESC"}, "Valor", {"100", "10", "9.5", "-1", "Null"}},
        {{data("01/02/2024"), data("31/01/2024"), data("31/01/2024 08:00:00"), data("15/03/1999")}, ado::adDate, {"valor"}, "Valor",
         {"15/03/1999", "31/01/2024", "31/01/2024 08:00:00", "01/02/2024"}},
        {{Variant("b"), Variant("a"), Variant("B"), Variant("a"), Variant("A")}, ado::adVarWChar, {"Valor, Ordem DESC"}, "Ordem",
         {"5", "4", "2", "3", "1"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ordens.back());
        auto rs = comValores(c.valores, c.tipo);
        for (const char* ordem : c.ordens) rs->put_Sort(ordem);
        EXPECT_EQ(linhas(*rs, c.coluna), c.esperado);
        EXPECT_EQ(std::pair(rs->get_Sort(), rs->get_AbsolutePosition()), std::pair(std::string(c.ordens.back()), 1));
    }
}

}  // namespace
}  // namespace teste_ado
