#pragma once
// Builders of member-table entries from the typed accessors, so that a class lists each property
// once: the table is the single source of its slot order.
#include <string>
#include <type_traits>

#include "zelt/automation/dispatch.hpp"

namespace zelt::clientanim::membros {

template <class V> struct Tipo;
template <> struct Tipo<double> { static constexpr VarType vt = VarType::R8; static double de(const Variant& v) { return v.toDouble(); } };
template <> struct Tipo<int16_t> { static constexpr VarType vt = VarType::I2; static int16_t de(const Variant& v) { return v.toInt16(); } };
template <> struct Tipo<int32_t> { static constexpr VarType vt = VarType::I4; static int32_t de(const Variant& v) { return v.toInt32(); } };
template <> struct Tipo<uint8_t> { static constexpr VarType vt = VarType::UI1; static uint8_t de(const Variant& v) { return v.toByte(); } };
template <> struct Tipo<bool> { static constexpr VarType vt = VarType::Bool; static bool de(const Variant& v) { return v.toBool(); } };
template <> struct Tipo<Currency> { static constexpr VarType vt = VarType::Currency; static Currency de(const Variant& v) { return v.toCurrency(); } };
template <> struct Tipo<std::string> { static constexpr VarType vt = VarType::String; static std::string de(const Variant& v) { return v.toText(); } };
template <> struct Tipo<Variant> { static constexpr VarType vt = VarType::Variant; static Variant de(const Variant& v) { return v; } };
template <> struct Tipo<Ref<Object>> { static constexpr VarType vt = VarType::Object; static Ref<Object> de(const Variant& v) { return v.toObject(); } };
template <class T> struct Tipo<Ref<T>> { static constexpr VarType vt = VarType::Object; };

template <class C, class R>
Member leitura(std::string nome, R (C::*get)() const) {
    using V = std::decay_t<R>;
    return Member{std::move(nome), InvokeKind::PropertyGet, {}, Tipo<V>::vt,
                  [get](Object& o, std::span<Variant>) { return Variant((static_cast<C&>(o).*get)()); }};
}

template <class C, class A>
Member escrita(std::string nome, void (C::*put)(A)) {
    using V = std::decay_t<A>;
    return Member{nome, InvokeKind::PropertyPut, {{std::move(nome), Tipo<V>::vt}}, VarType::Empty,
                  [put](Object& o, std::span<Variant> a) {
                      (static_cast<C&>(o).*put)(Tipo<V>::de(a[0]));
                      return Variant();
                  }};
}

template <class C>
Member referencia(std::string nome, void (C::*putref)(Ref<Object>)) {
    return Member{nome, InvokeKind::PropertyPutRef, {{std::move(nome), VarType::Object}}, VarType::Empty,
                  [putref](Object& o, std::span<Variant> a) {
                      (static_cast<C&>(o).*putref)(a[0].toObject());
                      return Variant();
                  }};
}

// An operation without arguments that returns its result code.
template <class C>
Member operacao(std::string nome, int16_t (C::*op)()) {
    return Member{std::move(nome), InvokeKind::Method, {}, VarType::I2,
                  [op](Object& o, std::span<Variant>) { return Variant((static_cast<C&>(o).*op)()); }};
}

}  // namespace zelt::clientanim::membros
