// Sort: stable, Portuguese text order without regard to case, numbers and dates by value.
#include "fabricado.hpp"

namespace teste_ado {
namespace {

using Textos = std::vector<std::string>;

TEST(Sort, TextInPortugueseOrderIgnoringCaseAndKeepingTies) {
    auto rs = comValores({Variant("Bruno"), Variant("ana"), Variant("Álvaro"), Variant("Ana"), Variant("Alberto"),
                          Variant("Amanda"), Variant("ÁLVARO"), Variant("Zé"), Variant("álvaro")});
    rs->put_Sort("Valor");
    EXPECT_EQ(coluna(*rs, "Valor"), (Textos{"Alberto", "Álvaro", "ÁLVARO", "álvaro", "Amanda", "ana", "Ana", "Bruno", "Zé"}));
    EXPECT_EQ(rs->get_Sort(), "Valor");
    EXPECT_EQ(rs->get_AbsolutePosition(), 1);
    rs->put_Sort("[Valor] DESC");
    EXPECT_EQ(coluna(*rs, "Valor"), (Textos{"Zé", "Bruno", "ana", "Ana", "Amanda", "Álvaro", "ÁLVARO", "álvaro", "Alberto"}));
    rs->put_Sort("");
    EXPECT_EQ(coluna(*rs, "Ordem"), (Textos{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(Sort, NumbersAndDatesByValueWithNullsFirst) {
    auto numeros = comValores({Variant(10.0), Variant(9.5), Variant::null(), Variant(100.0), Variant(-1.0)}, ado::adDouble);
    numeros->put_Sort("Valor ASC");
    EXPECT_EQ(coluna(*numeros, "Valor"), (Textos{"Null", "-1", "9.5", "10", "100"}));
    numeros->put_Sort("Valor DESC");
    EXPECT_EQ(coluna(*numeros, "Valor"), (Textos{"100", "10", "9.5", "-1", "Null"}));

    auto datas = comValores({Variant(*Date::parseRegional("01/02/2024")), Variant(*Date::parseRegional("31/01/2024")),
                             Variant(*Date::parseRegional("31/01/2024 08:00:00")), Variant(*Date::parseRegional("15/03/1999"))},
                            ado::adDate);
    datas->put_Sort("valor");
    EXPECT_EQ(coluna(*datas, "Valor"), (Textos{"15/03/1999", "31/01/2024", "31/01/2024 08:00:00", "01/02/2024"}));
}

TEST(Sort, SeveralFieldsThenPagesInTheSortedOrder) {
    auto rs = fabricado(25);
    rs->put_Sort("Saldo DESC");
    EXPECT_EQ((*rs)("Codigo").toInt32(), 25);
    auto grupos = comValores({Variant("b"), Variant("a"), Variant("B"), Variant("a"), Variant("A")});
    grupos->put_Sort("Valor, Ordem DESC");
    EXPECT_EQ(coluna(*grupos, "Ordem"), (Textos{"5", "4", "2", "3", "1"}));
    rs->put_PageSize(10);
    rs->put_AbsolutePage(3);
    EXPECT_EQ((*rs)("Codigo").toInt32(), 5);
    rs->MoveLast();
    EXPECT_EQ((*rs)("Codigo").toInt32(), 1);
}

}  // namespace
}  // namespace teste_ado
