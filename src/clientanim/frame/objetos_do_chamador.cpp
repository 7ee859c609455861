#include "clientanim/frame/objetos_do_chamador.hpp"

namespace zelt::clientanim {

namespace {
constexpr int32_t IndiceInvalido = 381;  // the grid's "Subscript out of range" (invalid row/col value)

[[noreturn]] void foraDaGrade() { throwError(IndiceInvalido, "Valor inválido para a propriedade Row ou Col da grade."); }
}  // namespace

void DadosDoUsuarioEmMemoria::definir(std::string chave, Variant valor) { valores_[std::move(chave)] = std::move(valor); }

Variant DadosDoUsuarioEmMemoria::Item(const std::string& chave) const {
    auto it = valores_.find(chave);
    return it == valores_.end() ? Variant() : it->second;
}

const DispatchTable& DadosDoUsuarioEmMemoria::table() const {
    static const DispatchTable t("DadosDoUsuario", {
        Member{"Item", InvokeKind::PropertyGet, {{"Chave", VarType::String}}, VarType::Variant,
               [](Object& o, std::span<Variant> a) { return static_cast<DadosDoUsuarioEmMemoria&>(o).Item(a[0].toText()); },
               true},
    });
    return t;
}

int32_t GradeEmMemoria::get_Cols() const {
    size_t n = 0;
    for (const auto& l : linhas_) n = std::max(n, l.size());
    return static_cast<int32_t>(n);
}

void GradeEmMemoria::put_Row(int32_t row) {
    if (row < 0 || row >= get_Rows()) foraDaGrade();
    row_ = row;
}

std::string GradeEmMemoria::get_TextMatrix(int32_t row, int32_t col) const {
    if (row < 0 || row >= get_Rows() || col < 0 || col >= get_Cols()) foraDaGrade();
    const auto& linha = linhas_[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < linha.size() ? linha[static_cast<size_t>(col)] : std::string();
}

void GradeEmMemoria::put_TextMatrix(int32_t row, int32_t col, std::string value) {
    if (row < 0 || row >= get_Rows() || col < 0) foraDaGrade();
    auto& linha = linhas_[static_cast<size_t>(row)];
    if (static_cast<size_t>(col) >= linha.size()) linha.resize(static_cast<size_t>(col) + 1);
    linha[static_cast<size_t>(col)] = std::move(value);
}

const DispatchTable& GradeEmMemoria::table() const {
    using G = GradeEmMemoria;
    static const DispatchTable t("GradeDeAnimais", {
        Member{"Rows", InvokeKind::PropertyGet, {}, VarType::I4,
               [](Object& o, std::span<Variant>) { return Variant(static_cast<G&>(o).get_Rows()); }},
        Member{"Cols", InvokeKind::PropertyGet, {}, VarType::I4,
               [](Object& o, std::span<Variant>) { return Variant(static_cast<G&>(o).get_Cols()); }},
        Member{"Row", InvokeKind::PropertyPut, {{"Row", VarType::I4}}, VarType::Empty,
               [](Object& o, std::span<Variant> a) { static_cast<G&>(o).put_Row(a[0].toInt32()); return Variant(); }},
        Member{"Row", InvokeKind::PropertyGet, {}, VarType::I4,
               [](Object& o, std::span<Variant>) { return Variant(static_cast<G&>(o).get_Row()); }},
        Member{"TextMatrix", InvokeKind::PropertyGet, {{"Row", VarType::I4}, {"Col", VarType::I4}}, VarType::String,
               [](Object& o, std::span<Variant> a) {
                   return Variant(static_cast<G&>(o).get_TextMatrix(a[0].toInt32(), a[1].toInt32()));
               }},
        Member{"TextMatrix", InvokeKind::PropertyPut,
               {{"Row", VarType::I4}, {"Col", VarType::I4}, {"Valor", VarType::String}}, VarType::Empty,
               [](Object& o, std::span<Variant> a) {
                   static_cast<G&>(o).put_TextMatrix(a[0].toInt32(), a[1].toInt32(), a[2].toText());
                   return Variant();
               }},
    });
    return t;
}

}  // namespace zelt::clientanim
