#pragma once
// Recordsets built as a caller fabricates them: fields appended, opened without a source, rows added.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/error.hpp"

namespace teste_ado {

using namespace zelt;

// Row i (1-based) holds Codigo i, Nome "Nome i", Nascimento 1 Jan 2000 + i days, Saldo i,5.
inline Ref<ado::Recordset> fabricado(int linhas) {
    auto rs = make<ado::Recordset>();
    ado::Fields& campos = rs->get_Fields();
    campos.Append("Codigo", ado::adInteger, 4);
    campos.Append("Nome", ado::adVarWChar, 50);
    campos.Append("Nascimento", ado::adDate, 8);
    campos.Append("Saldo", ado::adCurrency, 8);
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

// A recordset of one text column (and its insertion order in Ordem) for the Sort cases.
inline Ref<ado::Recordset> comValores(const std::vector<Variant>& valores, ado::DataType tipo = ado::adVarWChar) {
    auto rs = make<ado::Recordset>();
    rs->get_Fields().Append("Valor", tipo, 50);
    rs->get_Fields().Append("Ordem", ado::adInteger, 4);
    rs->Open();
    int32_t ordem = 0;
    for (const Variant& v : valores) {
        rs->AddNew();
        rs->get_Fields().Item(0)->put_Value(v);
        rs->get_Fields().Item(1)->put_Value(Variant(++ordem));
        rs->Update();
    }
    return rs;
}

// One column of every row in the current order, as text ("Null" for a Null).
inline std::vector<std::string> coluna(ado::Recordset& rs, const char* nome) {
    std::vector<std::string> out;
    const int f = rs.fieldIndex(nome);
    for (int32_t r = 0; r < rs.get_RecordCount(); ++r) {
        const Variant& v = rs.valueAt(r, f);
        out.push_back(v.isNull() || v.isEmpty() ? "Null" : v.toText());
    }
    return out;
}

template <class F>
RuntimeError erroDe(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "nenhum erro";
    return RuntimeError(0, "");
}

}  // namespace teste_ado
