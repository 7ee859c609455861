#pragma once
// The errors a Jet caller relies on when the engine refuses a statement, whatever engine it is:
// the numbers and help contexts of jet/errors.hpp and the Portuguese descriptions, written once
// for every back end.
#include <string>
#include <string_view>

#include "zelt/automation/error.hpp"

namespace zelt::jet::engine {

// A deletion refused because referringTable holds related rows (empty: the table is not known).
RuntimeError relatedRecordsExist(std::string_view referringTable);
// An insertion or change refused because the related row it names does not exist.
RuntimeError relatedRecordRequired();
// columns: "Table.Column" of the key or index that would hold the value twice.
RuntimeError duplicateValue(std::string_view columns);
// column: "Table.Column".
RuntimeError nullNotAllowed(std::string_view column);
RuntimeError onlyDates(std::string_view column);
// A text where an operator needs a number, read as none.
RuntimeError notANumber();
RuntimeError validationRuleViolated();
// A selection used as a value that gave more than one row.
RuntimeError moreThanOneRecord();
RuntimeError databaseBusy();
RuntimeError databaseReadOnly();
RuntimeError unknownColumn(std::string_view column);
RuntimeError unknownTable(std::string_view table);
// Causes, as the descriptions name them.
inline constexpr std::string_view PermissionDenied = "permissão negada";
inline constexpr std::string_view DiskFull = "o disco está cheio";
inline constexpr std::string_view DiskError = "erro de leitura ou gravação no disco";
inline constexpr std::string_view OutOfMemory = "memória insuficiente";

// "Falha do banco de dados: <reason>."
RuntimeError databaseFailure(std::string_view reason);

}  // namespace zelt::jet::engine
