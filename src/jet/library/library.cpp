#include "jet/library/library.hpp"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "jet/library/arguments.hpp"
#include "jet/parser/token.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::library {

std::span<const Function> all() {
    static const std::vector<Function> functions = [] {
        std::vector<Function> out;
        for (auto part : {textFunctions(), numberFunctions(), conversionFunctions(), dateFunctions(), operatorFunctions()})
            out.insert(out.end(), part.begin(), part.end());
        return out;
    }();
    return functions;
}

const Function* find(std::string_view name) {
    for (auto part : {textFunctions(), numberFunctions(), conversionFunctions(), dateFunctions()})
        for (const Function& f : part)
            if (sameWord(f.name, name)) return &f;
    return nullptr;
}

const Function* findComputed(std::string_view name) {
    if (const Function* f = find(name)) return f;
    for (const Function& f : coreFunctions())
        if (sameWord(f.name, name)) return &f;
    return nullptr;
}

const Function& operatorFunction(std::string_view name) {
    for (const Function& f : operatorFunctions())
        if (f.name == name) return f;
    throw std::logic_error("no operator " + std::string(name));
}

Variant call(const Function& f, Arguments args) {
    try {
        return f.body(args);
    } catch (const RuntimeError& e) {
        if (e.number() != zelt::err::TypeMismatch) throw;
        throwError(jet::err::TypeMismatch, "Tipo de dados incompatível na expressão: argumento de " + std::string(f.name) + ".");
    }
}

ValueKind resultKind(const Function& f, std::span<const ValueKind> args) {
    switch (f.result) {
    case Result::Text: return ValueKind::Text;
    case Result::Integer: return ValueKind::SmallInt;
    case Result::Long: return ValueKind::Integer;
    case Result::Byte: return ValueKind::Byte;
    case Result::Double: return ValueKind::Double;
    case Result::Money: return ValueKind::Money;
    case Result::Date: return ValueKind::Date;
    case Result::Boolean: return ValueKind::Boolean;
    case Result::AsFirst: {
        const ValueKind k = args.empty() ? ValueKind::Unknown : args[0];
        if (k == ValueKind::Boolean) return ValueKind::SmallInt;
        return k == ValueKind::Text ? ValueKind::Double : k;
    }
    case Result::AsBranches: {
        if (args.size() < 2) return ValueKind::Unknown;
        const bool same = std::all_of(args.begin() + 1, args.end(), [&](ValueKind k) { return k == args[1]; });
        return same ? args[1] : ValueKind::Unknown;
    }
    }
    return ValueKind::Unknown;
}

bool anyNull(Arguments a) {
    return std::any_of(a.begin(), a.end(), [](const Variant& v) { return v.isNull(); });
}

const Variant& notNull(const Variant& v) {
    if (v.isNull()) throwError(InvalidUseOfNull);
    return v;
}

std::string regionalText(const Variant& v) {
    if (const bool* b = v.get<bool>()) return *b ? "Verdadeiro" : "Falso";
    std::string text = notNull(v).toText();
    if (v.isNumber()) std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

int32_t wholeNumber(const Variant& v) { return notNull(v).toInt32(); }

int32_t count(const Variant& v) {
    const int32_t n = wholeNumber(v);
    if (n < 0) throwError(zelt::err::InvalidProcedureCall);
    return n;
}

bool binaryCompare(Arguments a, size_t i) {
    if (!given(a, i)) return false;
    const int32_t mode = wholeNumber(a[i]);
    if (mode < -1 || mode > 2) throwError(zelt::err::InvalidProcedureCall);
    return mode == 0;
}

size_t characters(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

size_t offsetOf(std::string_view s, size_t n) {
    size_t i = 0;
    for (; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (n-- == 0) return i;
    }
    return s.size();
}

}  // namespace zelt::jet::library
