// The Jet text as the PostgreSQL dialect writes it, where the server's stricter types and other
// spellings decide the text (no server needed).
#include <gtest/gtest.h>

#include "jet/postgres/dialect.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {
namespace {

TEST(PostgresDialect, WritesJetInTheServersTerms) {
    const struct {
        const char* jet;
        const char* sql;
    } rows[] = {
        // LIKE: ILIKE under the deterministic pt-BR collation with no escape; bracket lists as a
        // regular expression. Text sorts case-insensitively, Null first.
        {"SELECT Codigo FROM Clientes WHERE NomeOuRazaoSocial LIKE 'jo[!a-c]o%' ORDER BY NomeOuRazaoSocial DESC",
         "SELECT \"Clientes\".\"Codigo\" AS \"Codigo\" FROM \"Clientes\" WHERE \"Clientes\".\"NomeOuRazaoSocial\" "
         "COLLATE \"ptbr\" ~* '^jo[^a-c]o.*$' ORDER BY \"Clientes\".\"NomeOuRazaoSocial\" COLLATE \"ptbr_ci\" DESC NULLS LAST"},
        // A Yes/No column where a condition goes.
        {"SELECT Codigo FROM Clientes WHERE NomeOuRazaoSocial Not LIKE '%jo_o%' Or Not VIP",
         "SELECT \"Clientes\".\"Codigo\" AS \"Codigo\" FROM \"Clientes\" WHERE \"Clientes\".\"NomeOuRazaoSocial\" "
         "COLLATE \"ptbr\" NOT ILIKE '%jo_o%' ESCAPE '' OR NOT (\"Clientes\".\"VIP\" <> 0)"},
        // A condition where its value counts (-1/0), Jet's division, Between with its bounds in
        // either order, the server's Val.
        {"SELECT (Codigo = 1) + 0 AS X, LimiteDeCredito / 2 AS Y FROM Clientes WHERE Codigo Between 5 And Val('1')",
         "SELECT (-CAST(((\"Clientes\".\"Codigo\" = 1)) AS integer)) + 0 AS \"X\", jet_divide(CAST("
         "\"Clientes\".\"LimiteDeCredito\" AS double precision), CAST(2 AS double precision)) AS \"Y\" FROM \"Clientes\" "
         "WHERE (\"Clientes\".\"Codigo\" BETWEEN SYMMETRIC 5 AND jet_val(CAST('1' AS text)))"},
        // Regional texts read on the way in; the new counter comes back for @@Identity.
        {"INSERT INTO Clientes (NomeOuRazaoSocial, DataEHoraDaInclusao, LimiteDeCredito) VALUES ('a', "
         "'05/12/2026 19:16:50', '1.234,5')",
         "INSERT INTO \"Clientes\" (\"NomeOuRazaoSocial\", \"DataEHoraDaInclusao\", \"LimiteDeCredito\") VALUES ('a', "
         "TIMESTAMP '2026-12-05 19:16:50', 1234.5) RETURNING \"Codigo\""},
        // A row written with its own counter moves the counter past it.
        {"INSERT INTO EspeciesDeAnimais (Codigo, Nome) VALUES (50, 'x')",
         "INSERT INTO \"EspeciesDeAnimais\" (\"Codigo\", \"Nome\") VALUES (50, 'x') RETURNING \"Codigo\", "
         "setval(pg_get_serial_sequence('\"EspeciesDeAnimais\"', 'Codigo'), greatest(\"Codigo\", "
         "coalesce(pg_sequence_last_value(pg_get_serial_sequence('\"EspeciesDeAnimais\"', 'Codigo')), 0)))"},
        // A condition stored in a Yes/No column; days taken from a date.
        {"UPDATE Clientes SET VIP = (Codigo > 2), DataDaUltimaCompra = DataDaUltimaCompra - 1.5 WHERE Codigo = 1",
         "UPDATE \"Clientes\" SET \"VIP\" = (-CAST((\"Clientes\".\"Codigo\" > 2) AS integer)), \"DataDaUltimaCompra\" = "
         "(\"Clientes\".\"DataDaUltimaCompra\" - (1.5) * INTERVAL '1 day') WHERE \"Clientes\".\"Codigo\" = 1"},
        // VBA's operators on whole numbers (a double cast to one rounds half to even), and a
        // library function the server has for text.
        {"UPDATE Clientes SET Situacao = Codigo Mod 3 WHERE UCase(NomeOuRazaoSocial) = 'ANA' Imp VIP",
         "UPDATE \"Clientes\" SET \"Situacao\" = (CAST(CAST(\"Clientes\".\"Codigo\" AS double precision) AS "
         "integer) % CAST(CAST(3 AS double precision) AS integer)) WHERE ((CASE WHEN "
         "CAST(CAST((-CAST((upper(CAST(\"Clientes\".\"NomeOuRazaoSocial\" AS text)) = 'ANA' COLLATE "
         "\"ptbr_ci\") AS integer)) AS double precision) AS integer) = 0 OR CAST(CAST(\"Clientes\".\"VIP\" AS "
         "double precision) AS integer) = -1 THEN -1 ELSE "
         "(~CAST(CAST((-CAST((upper(CAST(\"Clientes\".\"NomeOuRazaoSocial\" AS text)) = 'ANA' COLLATE "
         "\"ptbr_ci\") AS integer)) AS double precision) AS integer) | CAST(CAST(\"Clientes\".\"VIP\" AS "
         "double precision) AS integer)) END) <> 0)"},
        // Format computed from the row: each value the server computes for it sent once, texts not at all.
        {"SELECT IIf(CEP<>'', Format(CEP,'00000-000'), '') & ' ' & Format(CEP,'0') AS X FROM Clientes",
         "SELECT \"Clientes\".\"CEP\" <> '' COLLATE \"ptbr_ci\" AS \"jet_valor0\", \"Clientes\".\"CEP\" AS "
         "\"jet_valor1\" FROM \"Clientes\""},
        // Date, Time and Now from the one clock of the statement.
        {"SELECT Date() AS D, Time() AS T, Now() AS N FROM Empresa",
         "SELECT date_trunc('day', LOCALTIMESTAMP) AS \"D\", (TIMESTAMP '1899-12-30' + CAST(date_trunc('second', "
         "LOCALTIMESTAMP) AS time)) AS \"T\", date_trunc('second', LOCALTIMESTAMP) AS \"N\" FROM \"Empresa\""},
        // A condition the server cannot compute: the server narrows by the others, TOP is the engine's.
        {"SELECT TOP 1 Codigo FROM Clientes WHERE Situacao = 1 AND InStrRev(Cidade, 'e') > 0 ORDER BY Codigo",
         "SELECT \"Clientes\".\"Codigo\" AS \"Codigo\", \"Clientes\".\"Codigo\" AS \"jet_valor0\", 0 AS "
         "\"jet_valor1\", \"Clientes\".\"Cidade\" AS \"jet_valor2\" FROM \"Clientes\" WHERE \"Clientes\".\"Situacao\" = 1"},
    };
    for (const auto& r : rows) EXPECT_EQ(translate(r.jet, postgres::postgresDialect()).query.sql, r.sql) << r.jet;
}

}  // namespace
}  // namespace zelt::jet
