#include "jet/parser/syntax_error.hpp"

#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {
namespace {

constexpr size_t NearLength = 40;

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

size_t characterPosition(std::string_view text, size_t byteOffset) {
    size_t chars = 1;
    for (size_t i = 0; i < byteOffset && i < text.size(); ++i)
        if (!continuationByte(text[i])) ++chars;
    return chars;
}

std::string whereInText(std::string_view text, size_t byteOffset, std::string_view near) {
    const size_t position = characterPosition(text, byteOffset);
    if (near.empty()) return "perto do fim do texto (posição " + std::to_string(position) + ")";
    if (near.size() > NearLength) {
        size_t cut = NearLength;
        while (cut > 0 && continuationByte(near[cut])) --cut;
        near = near.substr(0, cut);
    }
    return "perto de '" + std::string(near) + "' (posição " + std::to_string(position) + ")";
}

void syntaxError(std::string_view text, size_t byteOffset, std::string_view near) {
    throwError(err::Syntax, "Erro de sintaxe na instrução SQL, " + whereInText(text, byteOffset, near) + ".");
}

void unterminatedLiteral(std::string_view text, size_t byteOffset) {
    throwError(err::Syntax, "Erro de sintaxe na cadeia de caracteres da instrução SQL, " +
                                whereInText(text, byteOffset, text.substr(byteOffset)) + ".");
}

void nestedTooDeeply(std::string_view text, size_t byteOffset, std::string_view near) {
    throwError(err::Syntax, "A expressão está aninhada em níveis demais na instrução SQL, " +
                                whereInText(text, byteOffset, near) + ".");
}

void tooComplex(std::string_view text, size_t byteOffset, std::string_view near) {
    throwError(err::Syntax, "Consulta muito complexa, " + whereInText(text, byteOffset, near) + ".");
}

void textAfterStatement(std::string_view text, size_t byteOffset, std::string_view near) {
    throwError(err::Syntax,
               "Caracteres encontrados após o final da instrução SQL, " + whereInText(text, byteOffset, near) + ".");
}

void statementRefused(std::string_view text, size_t byteOffset, std::string_view near) {
    throwError(err::Syntax, "Instrução não aceita nesta conexão: definição de dados, parâmetros e consultas "
                            "armazenadas não são executados, " + whereInText(text, byteOffset, near) + ".");
}

void catalogueRefused(std::string_view table) {
    throwError(err::PermissionDenied, "Não é possível ler os registros; sem permissão de leitura em '" +
                                          std::string(table) + "'.", err::NoReadPermissionHelpContext);
}

void missingTable(std::string_view table) {
    throwError(err::MissingTable, "A tabela '" + std::string(table) + "' não existe.");
}

void missingColumn(std::string_view column, std::string_view where) {
    throwError(err::MissingColumn, "A coluna '" + std::string(column) + "' não existe " + std::string(where) + ".");
}

void ambiguousColumn(std::string_view column) {
    throwError(err::Syntax,
               "O campo especificado '" + std::string(column) +
                   "' poderia referir-se a mais de uma tabela listada na cláusula FROM da sua instrução SQL.",
               err::AmbiguousFieldHelpContext);
}

void tableListedTwice(std::string_view table) {
    throwError(err::Syntax,
               "A tabela '" + std::string(table) + "' foi listada mais de uma vez na cláusula FROM da instrução SQL.");
}

void aggregateRefused(std::string_view text, size_t byteOffset, std::string_view near, std::string_view clause) {
    const std::string where = clause.empty() ? "nesta expressão" : "na cláusula " + std::string(clause);
    throwError(err::Syntax,
               "Não é possível ter função agregada " + where + ", " + whereInText(text, byteOffset, near) + ".");
}

void typeMismatch() { throwError(err::TypeMismatch, "Tipo de dados incompatível na expressão de critério."); }

}  // namespace zelt::jet
