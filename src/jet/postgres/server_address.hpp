#pragma once
// Which database a name means: a postgresql:// or postgres:// URI names a PostgreSQL server,
// anything else a SQLite file.
#include <string>
#include <string_view>

namespace zelt::jet::postgres {

bool isServerUri(std::string_view name);

// The URI as it may be shown to a person: without a password, whether written in its user
// part or as a parameter.
std::string shownUri(std::string_view uri);

// The URI with another database name in its path (the server and the parameters kept).
std::string withDatabase(std::string_view uri, std::string_view database);

}  // namespace zelt::jet::postgres
