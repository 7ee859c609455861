#include "jet/translate/sql_text.hpp"

#include <charconv>
#include <cmath>

namespace zelt::jet::sql {

void appendIdentifier(std::string& out, std::string_view name) {
    out += '"';
    for (const char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void enclose(std::string& out, size_t mark) {
    out.insert(mark, 1, '(');
    out += ')';
}

void appendColumn(std::string& out, std::string_view table, std::string_view column) {
    appendIdentifier(out, table);
    out += '.';
    appendIdentifier(out, column);
}

void appendAliased(std::string& out, std::string_view name, std::string_view alias) {
    appendIdentifier(out, name);
    out += " AS ";
    appendIdentifier(out, alias);
}

void appendString(std::string& out, std::string_view body, bool doubleQuoted) {
    out += '\'';
    if (!doubleQuoted) {
        out += body;  // '' stays '' in SQLite
    } else {
        for (size_t i = 0; i < body.size(); ++i) {
            const char c = body[i];
            if (c == '"') ++i;  // "" is one quote
            else if (c == '\'') out += '\'';
            out += c;
        }
    }
    out += '\'';
}

std::string unquote(std::string_view body, bool doubleQuoted) {
    const char quote = doubleQuoted ? '"' : '\'';
    std::string out;
    out.reserve(body.size());
    for (size_t i = 0; i < body.size(); ++i) {
        out += body[i];
        if (body[i] == quote) ++i;
    }
    return out;
}

void appendReal(std::string& out, double value) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view text(buffer, static_cast<size_t>(r.ptr - buffer));
    if (value < 0) out += '(';
    out += text;
    if (text.find_first_of(".eEn") == std::string_view::npos) out += ".0";
    if (value < 0) out += ')';
}

void appendNumber(std::string& out, double value) {
    if (value == std::trunc(value) && std::abs(value) < 9.0e15) {
        if (value < 0) out += '(';
        out += std::to_string(static_cast<long long>(value));
        if (value < 0) out += ')';
        return;
    }
    appendReal(out, value);
}

namespace {
constexpr size_t MaxCallArguments = 100;
}  // namespace

ArgumentList::ArgumentList(std::string& out, std::string_view function)
    : out_(out), function_(function), start_(out.size()) {
    out_ += function;
    out_ += '(';
}

void ArgumentList::next() {
    if (count_ == MaxCallArguments) {
        out_ += ')';
        out_.insert(start_, std::string(function_) + "(");
        count_ = 1;
    }
    if (count_++) out_ += ", ";
}

void ArgumentList::close() { out_ += ')'; }

void appendCall(std::string& out, std::string_view function, const std::vector<std::string>& arguments) {
    ArgumentList list(out, function);
    for (const std::string& argument : arguments) {
        list.next();
        out += argument;
    }
    list.close();
}

}  // namespace zelt::jet::sql
