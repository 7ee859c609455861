// The client-side cursor over fabricated recordsets: moving, paging, and the errors a caller of ADO
// sees when it goes where there is no row.
#include "fabricado.hpp"
#include "zelt/automation/dispatch.hpp"

namespace teste_ado {
namespace {

constexpr const char* SemRegistroAtual =
    "O BOF ou o EOF é True ou o registro atual foi excluído. A operação solicitada requer um registro atual.";
constexpr const char* ItemNaoEncontrado =
    "O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal solicitado.";
constexpr const char* ArgumentosInvalidos =
    "Os argumentos são do tipo errado, estão fora do intervalo aceitável ou estão em conflito.";

TEST(Cursor, CountsAndPagesOfRecordsetsOfEverySize) {
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
        for (; !rs->get_EOF(); rs->MoveNext()) {
            EXPECT_EQ(rs->get_AbsolutePage(), c.paginas);
            ++naPagina;
        }
        EXPECT_EQ(naPagina, c.naUltimaPagina);
        EXPECT_EQ(rs->get_AbsolutePage(), ado::adPosEOF);
    }
}

TEST(Cursor, AbsolutePageStandsOnTheFirstRowOfThePage) {
    auto rs = fabricado(1000);
    rs->put_PageSize(10);
    rs->put_AbsolutePage(3);
    EXPECT_EQ(rs->get_AbsolutePosition(), 21);
    EXPECT_EQ((*rs)("Codigo").toInt32(), 21);
    rs->Move(9);
    EXPECT_EQ((*rs)(0).toInt32(), 30);
    EXPECT_EQ(rs->get_AbsolutePage(), 3);
    rs->MoveNext();
    EXPECT_EQ(rs->get_AbsolutePage(), 4);
    rs->put_PageSize(250);
    EXPECT_EQ(rs->get_PageCount(), 4);
    EXPECT_EQ(rs->get_AbsolutePage(), 1);
    rs->MoveLast();
    EXPECT_EQ(rs->get_AbsolutePosition(), 1000);
    rs->MovePrevious();
    EXPECT_EQ((*rs)(0).toInt32(), 999);
    rs->Move(-998);
    EXPECT_EQ((*rs)(0).toInt32(), 1);
    rs->MovePrevious();
    EXPECT_TRUE(rs->get_BOF());
    EXPECT_EQ(rs->get_AbsolutePosition(), ado::adPosBOF);
}

TEST(Cursor, ValuesKeepTheirKindsAndAreReachedByNameOrIndex) {
    auto rs = fabricado(25);
    rs->put_AbsolutePosition(7);
    EXPECT_EQ((*rs)("NOME").toText(), "Nome 7");
    EXPECT_EQ((*rs)(2).toText(), "08/01/2000");
    EXPECT_EQ((*rs)("Saldo").type(), VarType::Currency);
    EXPECT_EQ((*rs)("Saldo").toText(), "7.5");
    // The default members, as a late-bound caller writes rs("Nome") and rs.Fields(1).
    EXPECT_EQ(callDefault(*rs, {Variant("nome")}).toText(), "Nome 7");
    auto campo = callDefault(rs->get_Fields(), {Variant(int32_t{1})}).toObject();
    EXPECT_EQ(getProperty(*campo, "Name").toText(), "Nome");
    EXPECT_EQ(getProperty(*campo, "Type").toInt32(), ado::adVarWChar);
    EXPECT_EQ(getProperty(*campo, "DefinedSize").toInt32(), 50);
    EXPECT_EQ(rs->get_Fields().get_Count(), 4);
}

TEST(Cursor, GoingWhereThereIsNoRowIsTheErrorAdoGives) {
    struct Caso {
        const char* oQue;
        int linhas;
        std::function<void(ado::Recordset&)> passo;
        int32_t numero;
        const char* descricao;
    };
    const std::vector<Caso> casos = {
        {"MoveNext at EOF", 3, [](ado::Recordset& rs) { rs.MoveLast(); rs.MoveNext(); rs.MoveNext(); }, 3021, SemRegistroAtual},
        {"MovePrevious at BOF", 3, [](ado::Recordset& rs) { rs.MovePrevious(); rs.MovePrevious(); }, 3021, SemRegistroAtual},
        {"Move past the end", 3, [](ado::Recordset& rs) { rs.Move(3); rs.Move(1); }, 3021, SemRegistroAtual},
        {"a field at EOF", 3, [](ado::Recordset& rs) { rs.MoveLast(); rs.MoveNext(); rs("Nome"); }, 3021, SemRegistroAtual},
        {"a field of an empty recordset", 0, [](ado::Recordset& rs) { rs(0); }, 3021, SemRegistroAtual},
        {"MoveFirst on an empty recordset", 0, [](ado::Recordset& rs) { rs.MoveFirst(); }, 3021, SemRegistroAtual},
        {"an unknown field", 3, [](ado::Recordset& rs) { rs("Inexistente"); }, 3265, ItemNaoEncontrado},
        {"a field index past the last", 3, [](ado::Recordset& rs) { rs.get_Fields().Item(4); }, 3265, ItemNaoEncontrado},
        {"AbsolutePage 0", 25, [](ado::Recordset& rs) { rs.put_AbsolutePage(0); }, 3001, ArgumentosInvalidos},
        {"AbsolutePage past PageCount", 25, [](ado::Recordset& rs) { rs.put_AbsolutePage(4); }, 3001, ArgumentosInvalidos},
        {"AbsolutePage of an empty recordset", 0, [](ado::Recordset& rs) { rs.put_AbsolutePage(1); }, 3001, ArgumentosInvalidos},
        {"PageSize 0", 3, [](ado::Recordset& rs) { rs.put_PageSize(0); }, 3001, ArgumentosInvalidos},
        {"a Sort on an unknown field", 3, [](ado::Recordset& rs) { rs.put_Sort("Inexistente DESC"); }, 3265, ItemNaoEncontrado},
        {"Append while open", 3, [](ado::Recordset& rs) { rs.get_Fields().Append("Outro", ado::adInteger); }, 3705,
         "A operação não é permitida quando o objeto está aberto."},
        {"Open twice", 3, [](ado::Recordset& rs) { rs.Open(); }, 3705, "A operação não é permitida quando o objeto está aberto."},
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

TEST(Cursor, DeleteTakesTheCurrentRowAway) {
    auto rs = fabricado(3);
    rs->MoveNext();
    rs->Delete();
    EXPECT_EQ(rs->get_RecordCount(), 2);
    EXPECT_EQ(coluna(*rs, "Codigo"), (std::vector<std::string>{"1", "3"}));
}

}  // namespace
}  // namespace teste_ado
