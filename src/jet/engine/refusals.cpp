#include "jet/engine/refusals.hpp"

#include "zelt/jet/errors.hpp"

namespace zelt::jet::engine {

RuntimeError relatedRecordsExist(std::string_view referringTable) {
    std::string description =
        referringTable.empty()
            ? "Não é possível excluir ou alterar o registro porque existem registros relacionados a ele em outra tabela."
            : "Não é possível excluir ou alterar o registro porque a tabela '" + std::string(referringTable) +
                  "' contém registros relacionados.";
    return RuntimeError(err::ProviderFailure, std::move(description), err::ReferentialIntegrityHelpContext);
}

RuntimeError relatedRecordRequired() {
    return RuntimeError(err::ProviderFailure,
                        "Não é possível adicionar ou alterar o registro porque um registro relacionado é necessário "
                        "em outra tabela.",
                        err::ReferentialIntegrityHelpContext);
}

RuntimeError duplicateValue(std::string_view columns) {
    return RuntimeError(err::ProviderFailure,
                        "As alterações solicitadas na tabela não foram bem-sucedidas porque criariam valores "
                        "duplicados no índice ou na chave primária (" + std::string(columns) + ").",
                        err::ConstraintHelpContext);
}

RuntimeError nullNotAllowed(std::string_view column) {
    return RuntimeError(err::ProviderFailure, "O campo '" + std::string(column) + "' não pode conter um valor nulo.",
                        err::ConstraintHelpContext);
}

RuntimeError onlyDates(std::string_view column) {
    return RuntimeError(err::TypeMismatch,
                        "Tipo de dados incompatível: a coluna '" + std::string(column) + "' só aceita datas.");
}

RuntimeError notANumber() { return RuntimeError(err::TypeMismatch, "Tipo de dados incompatível na expressão."); }

RuntimeError validationRuleViolated() {
    return RuntimeError(err::ProviderFailure, "O registro viola uma regra de validação da tabela.",
                        err::ConstraintHelpContext);
}

RuntimeError moreThanOneRecord() {
    return RuntimeError(err::ProviderFailure, "No máximo um registro pode ser retornado por esta subconsulta.",
                        err::OneRecordHelpContext);
}

RuntimeError databaseBusy() {
    return RuntimeError(err::ProviderFailure, "O banco de dados está ocupado por outro usuário; tente novamente.",
                        err::BusyHelpContext);
}

RuntimeError databaseReadOnly() {
    return RuntimeError(err::ProviderFailure, "Não é possível atualizar: o banco de dados ou o objeto é somente leitura.",
                        err::ReadOnlyHelpContext);
}

RuntimeError unknownColumn(std::string_view column) {
    return RuntimeError(err::MissingColumn, "A coluna '" + std::string(column) + "' não existe.");
}

RuntimeError unknownTable(std::string_view table) {
    return RuntimeError(err::MissingTable, "O mecanismo de banco de dados não encontrou a tabela ou consulta '" +
                                               std::string(table) + "'.");
}

RuntimeError databaseFailure(std::string_view reason) {
    return RuntimeError(err::ProviderFailure, "Falha do banco de dados: " + std::string(reason) + ".");
}

}  // namespace zelt::jet::engine
