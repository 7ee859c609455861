// Recordsets as an engine or a caller builds them, and the client-side cursor over them: moving,
// paging, sorting, and the errors a caller of ADO sees when it goes where there is no row.
#include "fabricado.hpp"
#include "zelt/automation/dispatch.hpp"

namespace teste_ado {
namespace {

using Textos = std::vector<std::string>;

// Every row as "v|v|v" ("Empty", "Null" for those).
Textos linhas(ado::Recordset& rs) {
    Textos out;
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

TEST(Recordset, ARowMajorStoreAndOneVectorPerRowGiveTheSameRecordset) {
    const std::vector<ado::FieldDef> campos = {{"Codigo", ado::adInteger, 4}, {"Nome", ado::adVarWChar, 50}, {"Saldo", ado::adDouble, 8}};
    const Variant um(int32_t{1}), dois(int32_t{2}), tres(int32_t{3});
    auto deValores = ado::Recordset::fromValues(
        campos, {um, Variant("Ana"), Variant(2.5), dois, Variant::null(), Variant(0.0), tres, Variant("Bruno")});  // the last row is short
    auto deLinhas = ado::Recordset::fromRows(
        campos, {{um, Variant("Ana"), Variant(2.5)}, {dois, Variant::null(), Variant(0.0)}, {tres, Variant("Bruno")}});
    for (auto* rs : {deValores.get(), deLinhas.get()}) {
        EXPECT_EQ(rs->get_State(), ado::adStateOpen);
        EXPECT_EQ(rs->get_AbsolutePosition(), 1);
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
        EXPECT_EQ(rs->get_State(), ado::adStateOpen);
        EXPECT_EQ(rs->get_RecordCount(), c.linhas);
        EXPECT_EQ(rs->get_PageSize(), 10);
        EXPECT_EQ(rs->get_PageCount(), c.paginas);
        EXPECT_EQ(rs->get_EOF(), c.linhas == 0);
        EXPECT_EQ(rs->get_BOF(), c.linhas == 0);
        if (c.linhas == 0) {
            EXPECT_EQ(rs->get_AbsolutePage(), ado::adPosUnknown);
            continue;
        }
        rs->put_AbsolutePage(c.paginas);
        int naPagina = 0;
        for (; !rs->get_EOF(); rs->MoveNext(), ++naPagina) EXPECT_EQ(rs->get_AbsolutePage(), c.paginas);
        EXPECT_EQ(naPagina, c.naUltimaPagina);
        EXPECT_EQ(rs->get_AbsolutePage(), ado::adPosEOF);
    }
}

// Each step on 1000 rows, and where the cursor then stands: "position/page/Codigo".
TEST(Recordset, MovesAndPagesStandWhereAdoStands) {
    auto rs = fabricado(1000);
    const auto onde = [&] {
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
    for (const auto& [passo, esperado] : passos) {
        passo();
        EXPECT_EQ(onde(), esperado);
    }
    EXPECT_EQ(rs->get_RecordCount(), 999);
}

TEST(Recordset, ValuesKeepTheirKindsAndAreReachedByNameOrIndex) {
    auto rs = fabricado(25);
    rs->put_AbsolutePosition(7);
    const Variant nome = (*rs)("NOME");
    EXPECT_EQ(nome.toText(), "Nome 7");
    EXPECT_EQ((*rs)(2).toText(), "08/01/2000");
    EXPECT_EQ((*rs)("Saldo").type(), VarType::Currency);
    EXPECT_EQ((*rs)("Saldo").toText(), "7.5");
    // The default members, as a late-bound caller writes rs("Nome") and rs.Fields(1).
    EXPECT_EQ(callDefault(*rs, {Variant("nome")}).toText(), "Nome 7");
    auto campo = callDefault(rs->get_Fields(), {Variant(int32_t{1})}).toObject();
    EXPECT_EQ(getProperty(*campo, "Name").toText() + getProperty(*campo, "Type").toText() + getProperty(*campo, "DefinedSize").toText(), "Nome20250");
    EXPECT_EQ(rs->get_Fields().get_Count(), 4);
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
    struct Caso {
        const char* oQue;
        int linhas;
        std::function<void(ado::Recordset&)> passo;
        int32_t numero;
        const char* descricao;
    };
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
        auto rs = fabricado(c.linhas);
        const RuntimeError e = erroDe([&] { c.passo(*rs); });
        EXPECT_EQ(e.number(), c.numero);
        EXPECT_EQ(e.description(), c.descricao);
    }
}

// Sort: stable, Portuguese text order without regard to case, numbers and dates by value with
// Nulls first; "" gives back the order of insertion.
TEST(Recordset, SortOrdersAsJetDoes) {
    const auto data = [](const char* d) { return Variant(*Date::parseRegional(d)); };
    const std::vector<Variant> nomes = {Variant("Bruno"), Variant("ana"), Variant("Álvaro"), Variant("Ana"), Variant("Alberto"),
                                        Variant("Amanda"), Variant("ÁLVARO"), Variant("Zé"), Variant("álvaro")};
    const std::vector<Variant> numeros = {Variant(10.0), Variant(9.5), Variant::null(), Variant(100.0), Variant(-1.0)};
    const struct {
        std::vector<Variant> valores;
        ado::DataType tipo;
        std::vector<const char*> ordens;  // each applied in turn to the same recordset
        const char* coluna;
        Textos esperado;
    } casos[] = {
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
        EXPECT_EQ(coluna(*rs, c.coluna), c.esperado);
        EXPECT_EQ(rs->get_Sort(), c.ordens.back());
        EXPECT_EQ(rs->get_AbsolutePosition(), 1);
    }
}

}  // namespace
}  // namespace teste_ado
