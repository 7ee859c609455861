#pragma once
#include "jet/translate/dialect.hpp"

namespace zelt::jet::postgres {

// The Jet text as PostgreSQL reads it: conditions are booleans and Yes/No values -1/0, dates are
// timestamps, text is compared through the schema's pt-BR collations.
const Dialect& postgresDialect();

}  // namespace zelt::jet::postgres
