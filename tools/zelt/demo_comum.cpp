#include "demo_comum.hpp"

#include <iostream>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/regional.hpp"

using namespace zelt;

void relatarFalha(Object& obj, std::string_view oQue, const Variant& resultado) {
    std::cerr << oQue << " devolveu " << resultado.toText() << ": "
              << getProperty(obj, "DescricaoDaFalha").toText() << " " << getProperty(obj, "DescricaoDoErro").toText()
              << " (" << getProperty(obj, "LocalDoErro").toText() << ")\n";
}

std::string campo(const ado::Recordset& rs, const char* nome) {
    const Variant v = rs(nome);
    return v.isNull() ? std::string() : std::string(regional::trim(v.toText()));
}
