// The component's selections, built as it builds them, translate into SQLite text that SQLite
// accepts, with the result columns named and typed as the recordsets hand them out.
#include <gtest/gtest.h>

#include <set>

#include "sqlite_check.hpp"
#include "statements.hpp"
#include "zelt/jet/translator.hpp"

namespace {

using zelt::jet::Query;
using zelt::jet::Translation;
using zelt::jet::ValueKind;
using zelt::jet::translate;

const SqliteCheck& sqlite() {
    static const SqliteCheck check;
    return check;
}

void expectColumns(const Query& q, const std::vector<ColumnText>& expected, const std::set<std::string>& integers) {
    ASSERT_EQ(q.columns.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(q.columns[i].name, expected[i].name);
        const ValueKind kind = integers.count(expected[i].name) ? ValueKind::Integer : ValueKind::Text;
        EXPECT_EQ(q.columns[i].kind, kind) << expected[i].name;
    }
}

Query selection(const std::string& text) {
    const Translation t = translate(text);
    EXPECT_EQ(t.kind, Translation::Kind::Select);
    EXPECT_EQ(sqlite().prepare(t.query.sql), "") << t.query.sql;
    return t.query;
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

const std::set<std::string> animalIntegers = {"CodigoDoAnimal", "CodigoDaEspecie", "CodigoDaRaca",
                                              "Situacao",       "CodigoDoCliente", "SituacaoDoCliente"};
const std::set<std::string> clientIntegers = {"CodigoDoCliente", "Situacao"};

TEST(AnimalSelection, EveryArgumentCombinationTranslates) {
    using statements::AnimalSearch;
    const AnimalSearch searches[] = {
        {0, 1, "", "0", "", "", 0},
        {1, 2, "Rex", "0", "", "", 0},
        {2, 3, "15", "12", "", "", 0},
        {0, 1, "", "12", "01/03/2024", "31/03/2024", 2},
        {1, 3, "", "0", "10/05/2024", "20/05/2024", 3},
        {0, 1, "Rex", "0", "10/05/2024", "20/05/2024", 3},
    };
    for (const AnimalSearch& a : searches) {
        const Query q = selection(statements::animalSelection(a));
        expectColumns(q, animalSelectionColumns, animalIntegers);
    }
}

TEST(AnimalSelection, ConditionsKeepTheirMeaning) {
    const Query byName = selection(statements::animalSelection({1, 2, "Rex", "0", "", "", 0}));
    EXPECT_TRUE(contains(byName.sql, "\"Animais\".\"Situacao\" = 1 AND \"Animais\".\"AnimalMorto\" = -1 AND "
                                     "(\"Animais\".\"Nome\" LIKE '%Rex%' OR \"Animais\".\"Microchip\" LIKE '%Rex%')"))
        << byName.sql;
    EXPECT_TRUE(contains(byName.sql, " ORDER BY \"Animais\".\"Nome\" COLLATE PTBR")) << byName.sql;

    const Query byCode = selection(statements::animalSelection({2, 3, "15", "12", "", "", 0}));
    EXPECT_TRUE(contains(byCode.sql, "(\"Animais\".\"AnimalMorto\" = 0 OR \"Animais\".\"AnimalMorto\" = -1) AND "
                                     "(\"Animais\".\"Codigo\" = 15 OR \"Animais\".\"Microchip\" LIKE '%15%') AND "
                                     "\"Animais\".\"CodigoDoCliente\" = 12"))
        << byCode.sql;

    // 1 March 2024 is serial 45352; the last second of the 31st ends the range.
    const Query byInclusion = selection(statements::animalSelection({0, 1, "", "0", "01/03/2024", "31/03/2024", 2}));
    EXPECT_TRUE(contains(byInclusion.sql, "\"Animais\".\"DataEHoraDaInclusao\" BETWEEN 45352.0 AND 45382.99998842"))
        << byInclusion.sql;

    const Query birthdays = selection(statements::animalSelection({1, 3, "", "0", "10/05/2024", "20/05/2024", 3}));
    EXPECT_TRUE(contains(birthdays.sql, "jet_day(\"Animais\".\"DataDeNascimento\") >= 10 AND "
                                        "jet_day(\"Animais\".\"DataDeNascimento\") <= 20"))
        << birthdays.sql;
    EXPECT_TRUE(contains(birthdays.sql, "ORDER BY jet_day(\"Animais\".\"DataDeNascimento\"), "
                                        "jet_month(\"Animais\".\"DataDeNascimento\")"))
        << birthdays.sql;
}

TEST(AnimalSelection, ComposedAddressJoinsItsPartsWithJetConcatenation) {
    const Query q = selection(statements::animalSelection({}));
    EXPECT_TRUE(contains(q.sql, "CASE WHEN jet_trim(\"Clientes\".\"Numero\") <> '' COLLATE PTBR THEN "
                                "jet_concat(', ', \"Clientes\".\"Numero\") ELSE '' END"))
        << q.sql;
    EXPECT_TRUE(contains(q.sql, "jet_concat(' - CEP:', jet_format(\"Clientes\".\"CEP\", '00000-000'))")) << q.sql;
    EXPECT_TRUE(contains(q.sql, "CASE WHEN (\"Animais\".\"Sexo\" IS NULL) THEN 'F' ELSE CASE WHEN \"Animais\".\"Sexo\" "
                                "= 'F' COLLATE PTBR THEN 'Fêmea' WHEN \"Animais\".\"Sexo\" = 'M' COLLATE PTBR THEN "
                                "'Macho' END END AS \"Sexo\""))
        << q.sql;
}

TEST(ClientSelection, EverySearchBranchTranslates) {
    using statements::ClientSearch;
    std::vector<ClientSearch> searches(11);
    searches[1].administrador = true;
    searches[2].valor = "01234567890";
    searches[3].valor = "123";
    searches[4].valor = "Silva";
    searches[4].animal = "Rex";
    searches[5].nome = "Silva";
    searches[5].codigo = "8";
    searches[6].codigo = "8";
    searches[7].logradouro = "Paulista";
    searches[8] = {1, false, 20, "", "", "0", "", "25/05/2024", "05/06/2024", "", 3};
    searches[9] = {4, false, 20, "", "", "0", "", "01/03/2024", "31/03/2024", "", 2};
    searches[10].situacao = 5;
    searches[10].animal = "15";
    for (const ClientSearch& c : searches) expectColumns(selection(statements::clientSelection(c)), clientSelectionColumns, clientIntegers);
}

TEST(ClientSelection, WithTheAnimalJoinTheBirthdayIsTheClients) {
    statements::ClientSearch c;
    c.dataInicial = "25/05/2024";
    c.dataFinal = "05/06/2024";
    c.tipoDeData = 3;
    c.animal = "Rex";
    const Query q = selection(statements::clientSelection(c));
    EXPECT_FALSE(contains(q.sql, "\"Animais\".\"DataDeNascimento\"")) << q.sql;
    EXPECT_TRUE(contains(q.sql, "jet_val(jet_concat(jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 3, 2), "
                                "jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 1, 2))) >= 525 AND "))
        << q.sql;
    EXPECT_TRUE(contains(q.sql, "ORDER BY jet_format(jet_val(jet_concat(jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 3, 2), "
                                "jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 1, 2))), '0000') COLLATE PTBR, "
                                "\"Clientes\".\"NomeOuRazaoSocial\" COLLATE PTBR"))
        << q.sql;
}

TEST(ClientSelection, RecentClientsByTheirOwnCounterNeedNoRank) {
    statements::ClientSearch c;
    c.situacao = 5;
    const Query q = selection(statements::clientSelection(c));
    EXPECT_TRUE(q.sql.ends_with(" ORDER BY \"Clientes\".\"Codigo\" DESC LIMIT 20")) << q.sql;
    EXPECT_FALSE(contains(q.sql, "RANK()"));
}

TEST(ClientSelection, TopKeepsTheRowsTiedWithTheLast) {
    // Joined with the animals a client's code repeats, so the ties are kept by rank.
    statements::ClientSearch c;
    c.situacao = 5;
    c.tamanhoDaPagina = 7;
    c.animal = "Rex";
    const Query q = selection(statements::clientSelection(c));
    EXPECT_TRUE(q.sql.starts_with("SELECT \"c0\" AS \"CodigoDoCliente\", \"c1\" AS \"ApelidoOuNomeFantasia\"")) << q.sql;
    EXPECT_TRUE(contains(q.sql, ", RANK() OVER (ORDER BY \"Clientes\".\"Codigo\" DESC) AS \"jet_rank\" FROM \"Animais\""));
    EXPECT_TRUE(q.sql.ends_with(") WHERE \"jet_rank\" <= 7 ORDER BY \"jet_rank\"")) << q.sql;

    const Query byName = selection("SELECT TOP 3 Nome, Codigo FROM Animais ORDER BY Nome");
    EXPECT_EQ(byName.sql,
              "SELECT \"c0\" AS \"Nome\", \"c1\" AS \"Codigo\" FROM (SELECT \"Animais\".\"Nome\" AS \"c0\", "
              "\"Animais\".\"Codigo\" AS \"c1\", RANK() OVER (ORDER BY \"Animais\".\"Nome\" COLLATE PTBR) AS "
              "\"jet_rank\" FROM \"Animais\") WHERE \"jet_rank\" <= 3 ORDER BY \"jet_rank\"");
    EXPECT_EQ(selection("SELECT TOP 3 Nome FROM Animais").sql,
              "SELECT \"Animais\".\"Nome\" AS \"Nome\" FROM \"Animais\" LIMIT 3");
}

TEST(ClientStatistics, MonthlyUnionAndYearGrouping) {
    const Query months = selection(statements::clientsByMonth("2024"));
    ASSERT_EQ(months.columns.size(), 2u);
    EXPECT_EQ(months.columns[0].name, "Mes");
    EXPECT_EQ(months.columns[0].kind, ValueKind::Text);
    EXPECT_EQ(months.columns[1].name, "NumeroDeClientes");
    EXPECT_EQ(months.columns[1].kind, ValueKind::Integer);
    size_t unions = 0;
    for (size_t p = months.sql.find(" UNION ALL "); p != std::string::npos; p = months.sql.find(" UNION ALL ", p + 1)) ++unions;
    EXPECT_EQ(unions, 11u);
    EXPECT_TRUE(contains(months.sql, "SELECT 'Dez' AS \"Mes\", count(*) AS \"NumeroDeClientes\" FROM \"Clientes\" WHERE "
                                     "jet_month(\"Clientes\".\"DataEHoraDaInclusao\") = 12 AND "
                                     "jet_year(\"Clientes\".\"DataEHoraDaInclusao\") = 2024"))
        << months.sql;

    for (int situacao : {0, 1, 2, 3}) {
        const Query years = selection(statements::clientsByYear(situacao, situacao == 0));
        ASSERT_EQ(years.columns.size(), 1u);
        EXPECT_EQ(years.columns[0].name, "Ano");
        EXPECT_EQ(years.columns[0].kind, ValueKind::Integer);
        EXPECT_TRUE(years.sql.ends_with(" GROUP BY jet_year(\"Clientes\".\"DataEHoraDaInclusao\") ORDER BY "
                                        "jet_year(\"Clientes\".\"DataEHoraDaInclusao\")"))
            << years.sql;
    }
}

TEST(ClientListing, ShapeRelatesClientsToTheirAnimals) {
    for (const char* animal : {"", "Rex", "15"}) {
        for (int situacao : {0, 1, 5}) {
            statements::ClientSearch c;
            c.situacao = situacao;
            c.animal = animal;
            c.valor = situacao == 1 ? "Silva" : "";
            const Translation t = translate(statements::listing(c));
            ASSERT_EQ(t.kind, Translation::Kind::Shape);
            const zelt::jet::Query& parent = t.shape->query;
            ASSERT_EQ(t.shape->appended.size(), 1u);
            const zelt::jet::ShapeLevel::Column& chapter = t.shape->appended[0];
            const zelt::jet::Query& child = chapter.child->query;
            EXPECT_EQ(sqlite().prepare(parent.sql), "") << parent.sql;
            EXPECT_EQ(sqlite().prepare(child.sql), "") << child.sql;
            ASSERT_EQ(parent.columns.size(), 4u);
            EXPECT_EQ(parent.columns[0].name, "CodigoDoCliente");
            EXPECT_EQ(parent.columns[0].kind, ValueKind::Integer);
            EXPECT_EQ(parent.columns[3].name, "NomeDaSituacaoDoCliente");
            expectColumns(child, listingChildColumns, {"CodigoDoAnimal", "CodigoDoClienteDeAnimais"});
            EXPECT_EQ(chapter.name, "Animais");
            using Pairs = std::vector<std::pair<std::string, std::string>>;
            EXPECT_EQ(chapter.relate, (Pairs{{"CodigoDoCliente", "CodigoDoClienteDeAnimais"}}));
            EXPECT_EQ(contains(parent.sql, "FROM \"Animais\" INNER JOIN \"Clientes\""), *animal != '\0');
        }
    }
}

TEST(ClientListing, NestedJoinKeepsItsParentheses) {
    const Translation t = translate(statements::listing({}));
    const std::string& child = t.shape->appended.at(0).child->query.sql;
    EXPECT_TRUE(contains(child, " FROM \"EspeciesDeAnimais\" INNER JOIN (\"RacasDeAnimais\" INNER JOIN \"Animais\" "
                                      "ON \"RacasDeAnimais\".\"Codigo\" = \"Animais\".\"CodigoDaRaca\") ON "
                                      "\"EspeciesDeAnimais\".\"Codigo\" = \"RacasDeAnimais\".\"CodigoDaEspecieDeAnimal\" AND "
                                      "\"EspeciesDeAnimais\".\"Codigo\" = \"Animais\".\"CodigoDaEspecie\" WHERE"))
        << child;
}

TEST(SmallSelections, LookupsAndTheServerClock) {
    const Query count = selection(" SELECT COUNT(*) AS NumeroDeRegistros FROM Agendamentos WHERE CodigoDoAnimal = 15");
    EXPECT_EQ(count.sql, "SELECT count(*) AS \"NumeroDeRegistros\" FROM \"Agendamentos\" WHERE "
                         "\"Agendamentos\".\"CodigoDoAnimal\" = 15");
    ASSERT_EQ(count.columns.size(), 1u);
    EXPECT_EQ(count.columns[0].kind, ValueKind::Integer);

    const Query unnamed = selection(" SELECT COUNT(*) FROM OSParaBD WHERE Numero = 304");
    EXPECT_EQ(unnamed.columns[0].name, "Expr1000");

    const Query clock = selection(" SELECT NOW AS DataHoraDoServidor ");
    EXPECT_EQ(clock.sql, "SELECT jet_now() AS \"DataHoraDoServidor\"");
    EXPECT_EQ(clock.columns[0].kind, ValueKind::Date);

    const Query duplicate = selection(" SELECT Clientes.Codigo AS Codigo, Clientes.ApelidoOuNomeFantasia AS "
                                      "ApelidoOuNomeFantasia, Clientes.NomeOuRazaoSocial AS NomeOuRazaoSocial FROM "
                                      "Clientes WHERE CPFCNPJ = '01234567890'");
    EXPECT_TRUE(duplicate.sql.ends_with(" WHERE \"Clientes\".\"CPFCNPJ\" = '01234567890' COLLATE PTBR")) << duplicate.sql;

    const Query limit = selection("           SELECT     Clientes.LimiteDeCredito AS Limite  FROM    Clientes  WHERE  "
                                  "   Clientes.Codigo = 8");
    EXPECT_EQ(limit.columns[0].kind, ValueKind::Money);
    const Query used = selection("           SELECT     SUM(ContasAReceber.ValorDoDocumento) AS ValorDoDocumento  FROM "
                                 "   ContasAReceber  WHERE      ContasAReceber.DataDaBaixa IS NULL     AND "
                                 "ContasAReceber.CodigoDoCliente = 8");
    EXPECT_EQ(used.sql, "SELECT sum(\"ContasAReceber\".\"ValorDoDocumento\") AS \"ValorDoDocumento\" FROM "
                        "\"ContasAReceber\" WHERE \"ContasAReceber\".\"DataDaBaixa\" IS NULL AND "
                        "\"ContasAReceber\".\"CodigoDoCliente\" = 8");
    EXPECT_EQ(used.columns[0].kind, ValueKind::Money);

    const Query company = selection(" SELECT DataDeAtualizacaoDaCategoriaDaCurvaABC FROM Empresa;");
    EXPECT_EQ(company.columns[0].name, "DataDeAtualizacaoDaCategoriaDaCurvaABC");
    EXPECT_EQ(company.columns[0].kind, ValueKind::Date);
}

TEST(SmallSelections, IdentityInAnySpelling) {
    for (const char* text : {"SELECT @@Identity", "select @@IDENTITY;", "  SELECT   @@identity  "}) {
        const Translation t = translate(text);
        EXPECT_EQ(t.kind, Translation::Kind::Identity) << text;
        ASSERT_EQ(t.query.columns.size(), 1u);
        EXPECT_EQ(t.query.columns[0].kind, ValueKind::Integer);
    }
}

TEST(SmallSelections, ResultKindsFollowTheExpressions) {
    const Query q = selection("SELECT IIF(Nome = 'a', Null, Codigo), IIF(Nome = 'a', 1, 'b'), Switch(Pedigree, 1.5, "
                              "AnimalMorto, 2), Year(DataDeNascimento), Val(RGA), Pedigree, Codigo * 2, Codigo / 2, "
                              "DataDeNascimento + 1 FROM Animais");
    const ValueKind expected[] = {ValueKind::Integer, ValueKind::Unknown, ValueKind::Double,
                                  ValueKind::Integer, ValueKind::Double,  ValueKind::Boolean,
                                  ValueKind::Integer, ValueKind::Double,  ValueKind::Date};
    ASSERT_EQ(q.columns.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(q.columns[i].kind, expected[i]) << i;
    EXPECT_EQ(q.columns[0].name, "Expr1000");
    EXPECT_EQ(q.columns[4].name, "Expr1004");
    EXPECT_EQ(q.columns[5].name, "Pedigree");
    EXPECT_EQ(q.columns[6].name, "Expr1005");
}

TEST(SmallSelections, OperatorsAreWrittenAsJetMeansThem) {
    const struct {
        const char* jet;
        const char* sqlite;
        ValueKind kind;
    } rows[] = {
        {"-(-Codigo)", "-(-\"Animais\".\"Codigo\")", ValueKind::Integer},
        {"- -1", "-(-1)", ValueKind::Integer},
        {"-#01/01/1800#", "-(-36522.0)", ValueKind::Date},
        {"Codigo Between 5 And 1", "\"Animais\".\"Codigo\" BETWEEN 1 AND 5", ValueKind::Boolean},
        {"Nome Not Between 'b' And 'A'", "\"Animais\".\"Nome\" NOT BETWEEN 'A' COLLATE PTBR AND 'b' COLLATE PTBR",
         ValueKind::Boolean},
        {"Codigo Between Situacao And 1", "jet_between(\"Animais\".\"Codigo\", \"Animais\".\"Situacao\", 1)",
         ValueKind::Boolean},
        {"Nome + Cor + 'x'", "\"Animais\".\"Nome\" || \"Animais\".\"Cor\" || 'x'", ValueKind::Text},
        {"Codigo * 2 + Situacao", "\"Animais\".\"Codigo\" * 2 + \"Animais\".\"Situacao\"", ValueKind::Integer},
        {"Codigo + '1' + Situacao", "jet_add(\"Animais\".\"Codigo\", '1', \"Animais\".\"Situacao\")", ValueKind::Double},
        {"Nome & DataDeNascimento & 1.5",
         "jet_concat(\"Animais\".\"Nome\", jet_date_text(\"Animais\".\"DataDeNascimento\"), 1.5)", ValueKind::Text},
    };
    for (const auto& r : rows) {
        const Query q = selection(std::string("SELECT ") + r.jet + " AS [a\"b] FROM Animais");
        EXPECT_EQ(q.sql, std::string("SELECT ") + r.sqlite + " AS \"a\"\"b\" FROM \"Animais\"") << r.jet;
        EXPECT_EQ(q.columns[0].kind, r.kind) << r.jet;
        EXPECT_EQ(q.columns[0].name, "a\"b");
    }
}

TEST(SmallSelections, OrderByMayNameAnAlias) {
    const Query q = selection("SELECT IIF(IsNull(Nome), '', Nome) AS Apelido FROM Animais ORDER BY Apelido DESC");
    EXPECT_TRUE(q.sql.ends_with(" ORDER BY CASE WHEN (\"Animais\".\"Nome\" IS NULL) THEN '' ELSE \"Animais\".\"Nome\" "
                                "END COLLATE PTBR DESC"))
        << q.sql;
}

}  // namespace
