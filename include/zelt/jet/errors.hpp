#pragma once
// The numbers by which the Jet provider reports errors through ADO; descriptions are Portuguese
// and name the cause.
#include <cstdint>

namespace zelt::jet::err {
inline constexpr int32_t Syntax = -2147217900;         // 0x80040E14 syntax error in the statement
inline constexpr int32_t TypeMismatch = -2147217913;   // 0x80040E07 data type mismatch
inline constexpr int32_t MissingTable = -2147217865;   // 0x80040E37 table or query not found
inline constexpr int32_t MissingColumn = -2147217904;  // 0x80040E10 unknown field (no value for parameter)
inline constexpr int32_t PermissionDenied = -2147217911; // 0x80040E09 no permission on the object
inline constexpr int32_t ProviderFailure = -2147467259; // 0x80004005 general failure (FK refusals, busy, read-only, I/O)
inline constexpr int32_t ReferentialIntegrityHelpContext = 5003000;
inline constexpr int32_t BusyHelpContext = 5003218;     // Jet 3218: could not update; currently locked
inline constexpr int32_t ReadOnlyHelpContext = 5003027; // Jet 3027: database or object is read-only
inline constexpr int32_t ConstraintHelpContext = 5003022; // Jet 3022: duplicate value / constraint
inline constexpr int32_t CannotOpenHelpContext = 5003044; // Jet 3044: the database file cannot be opened
inline constexpr int32_t AmbiguousFieldHelpContext = 5003079; // Jet 3079: a field two tables of FROM hold
inline constexpr int32_t OneRecordHelpContext = 5003354; // Jet 3354: at most one record from a subquery
inline constexpr int32_t NoReadPermissionHelpContext = 5003112; // Jet 3112: no read permission
}  // namespace zelt::jet::err
