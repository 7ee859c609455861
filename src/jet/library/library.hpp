#pragma once
// Jet's expression service, written once for every engine: SQLite calls these functions from its
// statements (jet/engine/library_functions.cpp); an engine without them computes them on the rows
// it fetched (LocalValue::Kind::Call). Values come and go as VBA's Variants.
#include <cstdint>
#include <span>
#include <string_view>

#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::library {

using Arguments = std::span<const Variant>;
using Body = Variant (*)(Arguments);

// The kind of what a function gives; AsFirst: that of its first argument (Abs, Int, Round...),
// AsBranches: the common kind of the values it chooses among (Choose).
enum class Result : uint8_t { Text, Integer, Long, Byte, Double, Money, Date, Boolean, AsFirst, AsBranches };

struct Function {
    std::string_view name;
    int minArgs, maxArgs;
    Result result;
    Body body;
    bool volatileValue = false;  // Date, Time: not the same on every call
};

// Case-insensitive, by Jet's name; nothing for a name the library lacks.
const Function* find(std::string_view name);
// The same, or one of the functions every engine has of its own (coreFunctions): what a value
// computed on fetched rows may call.
const Function* findComputed(std::string_view name);
// The operators, by the names of operatorFunctions: Mod, IntDiv (the backslash), Power (^), Xor, Eqv, Imp.
const Function& operatorFunction(std::string_view name);
std::span<const Function> all();

// The function's value; VBA's type mismatch (13) is raised as Jet's.
Variant call(const Function& f, Arguments args);
// The kind of f's value for arguments of the given kinds.
ValueKind resultKind(const Function& f, std::span<const ValueKind> args);

// The parts of the library, one file each.
std::span<const Function> textFunctions();
std::span<const Function> numberFunctions();
std::span<const Function> conversionFunctions();
std::span<const Function> dateFunctions();
std::span<const Function> operatorFunctions();
std::span<const Function> coreFunctions();
// A text Day, Month and Year read as a date, day first; Jet's type mismatch when it is none.
Date dateOfText(std::string_view text);

}  // namespace zelt::jet::library
