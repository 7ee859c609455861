#include <strings.h>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"

namespace zelt::jet {
namespace {

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isWordStart(unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c >= 0x80; }
bool isWordChar(unsigned char c) { return isWordStart(c) || isDigit(c); }

struct KeywordName {
    std::string_view name;
    Keyword keyword;
};

constexpr KeywordName Keywords[] = {
    {"SELECT", Keyword::Select},
    {"FROM", Keyword::From},
    {"WHERE", Keyword::Where},
    {"AND", Keyword::And},
    {"OR", Keyword::Or},
    {"NOT", Keyword::Not},
    {"ON", Keyword::On},
    {"AS", Keyword::As},
    {"INNER", Keyword::Inner},
    {"LEFT", Keyword::Left},
    {"RIGHT", Keyword::Right},
    {"OUTER", Keyword::Outer},
    {"JOIN", Keyword::Join},
    {"ORDER", Keyword::Order},
    {"BY", Keyword::By},
    {"GROUP", Keyword::Group},
    {"UNION", Keyword::Union},
    {"ALL", Keyword::All},
    {"ASC", Keyword::Asc},
    {"DESC", Keyword::Desc},
    {"BETWEEN", Keyword::Between},
    {"IS", Keyword::Is},
    {"NULL", Keyword::Null},
    {"LIKE", Keyword::Like},
    {"TOP", Keyword::Top},
    {"INSERT", Keyword::Insert},
    {"INTO", Keyword::Into},
    {"VALUES", Keyword::Values},
    {"UPDATE", Keyword::Update},
    {"SET", Keyword::Set},
    {"DELETE", Keyword::Delete},
    {"TRUE", Keyword::True},
    {"FALSE", Keyword::False},
    {"SHAPE", Keyword::Shape},
    {"APPEND", Keyword::Append},
    {"RELATE", Keyword::Relate},
    {"TO", Keyword::To},
    {"HAVING", Keyword::Having},
    {"DISTINCT", Keyword::Distinct},
    {"DISTINCTROW", Keyword::DistinctRow},
    {"PERCENT", Keyword::Percent},
    {"IN", Keyword::In},
    {"EXISTS", Keyword::Exists},
    {"ANY", Keyword::Any},
    {"SOME", Keyword::Some},
    {"MOD", Keyword::Mod},
    {"XOR", Keyword::Xor},
    {"EQV", Keyword::Eqv},
    {"IMP", Keyword::Imp},
};

Keyword keywordOf(std::string_view word) {
    if (word.size() < 2 || word.size() > 11) return Keyword::None;
    for (const KeywordName& k : Keywords)
        if (sameWord(k.name, word)) return k.keyword;
    return Keyword::None;
}

}  // namespace

bool sameWordSlow(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

namespace {

// [SELECT ...]. followed by no name: the brackets hold a selection, not a table's name.
bool derivedTable(std::string_view s, size_t open, size_t close) {
    const size_t word = s.find_first_not_of(" \t\r\n", open + 1);
    if (word == std::string_view::npos || word + 7 > close || !sameWord(s.substr(word, 6), "SELECT")) return false;
    if (std::string_view(" \t\r\n").find(s[word + 6]) == std::string_view::npos) return false;
    return close + 1 < s.size() && s[close + 1] == '.' &&
           (close + 2 == s.size() || !isWordChar(static_cast<unsigned char>(s[close + 2])));
}

}  // namespace

void tokenize(std::string_view s, std::vector<Token>& out, size_t from) {
    // A NUL ends the text for SQLite (and for Jet), so nothing after it could be said to be read.
    if (const size_t nul = s.find('\0'); nul != std::string_view::npos) syntaxError(s, nul, {});
    auto at = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    auto push = [&](Token::Kind kind, size_t start, size_t end, size_t bodyStart, size_t bodyEnd) {
        out.push_back({kind, s.substr(bodyStart, bodyEnd - bodyStart), static_cast<uint32_t>(start),
                       static_cast<uint32_t>(end)});
    };
    size_t i = from;
    while (i < s.size()) {
        const unsigned char c = at(i);
        const size_t start = i;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (isWordStart(c)) {
            while (i < s.size() && isWordChar(at(i))) ++i;
            push(Token::Kind::Word, start, i, start, i);
            out.back().keyword = keywordOf(out.back().text);
        } else if (isDigit(c) || (c == '.' && i + 1 < s.size() && isDigit(at(i + 1)))) {
            while (i < s.size() && isDigit(at(i))) ++i;
            if (i < s.size() && s[i] == '.') {
                ++i;
                while (i < s.size() && isDigit(at(i))) ++i;
            }
            if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
                size_t j = i + 1;
                if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
                if (j < s.size() && isDigit(at(j))) {
                    i = j;
                    while (i < s.size() && isDigit(at(i))) ++i;
                }
            }
            if (i < s.size() && isWordChar(at(i))) syntaxError(s, start, s.substr(start, i + 1 - start));
            push(Token::Kind::Number, start, i, start, i);
        } else if (c == '\'' || c == '"') {
            ++i;
            for (;;) {
                if (i >= s.size()) unterminatedLiteral(s, start);
                if (at(i) == c) {
                    if (i + 1 < s.size() && at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            push(c == '\'' ? Token::Kind::SingleQuoted : Token::Kind::DoubleQuoted, start, i + 1, start + 1, i);
            ++i;
        } else if (c == '[' || c == '#') {
            const size_t close = s.find(c == '[' ? ']' : '#', i + 1);
            if (close == std::string_view::npos) unterminatedLiteral(s, start);
            if (c == '[' && derivedTable(s, start, close)) {
                // Jet's own spelling of a selection in FROM, [SELECT ...]. AS x: read as (SELECT ...) AS x.
                out.push_back({Token::Kind::Symbol, "(", static_cast<uint32_t>(start), static_cast<uint32_t>(start + 1)});
                tokenize(s.substr(0, close), out, start + 1);
                out.pop_back();  // its end
                out.push_back({Token::Kind::Symbol, ")", static_cast<uint32_t>(close), static_cast<uint32_t>(close + 2)});
                i = close + 2;
                continue;
            }
            push(c == '[' ? Token::Kind::Bracketed : Token::Kind::DateLiteral, start, close + 1, start + 1, close);
            i = close + 1;
        } else if (c == '@' && i + 1 < s.size() && s[i + 1] == '@') {
            i += 2;
            while (i < s.size() && isWordChar(at(i))) ++i;
            push(Token::Kind::AtWord, start, i, start + 2, i);
        } else if ((c == '<' && i + 1 < s.size() && (s[i + 1] == '>' || s[i + 1] == '=')) ||
                   (c == '>' && i + 1 < s.size() && s[i + 1] == '=')) {
            i += 2;
            push(Token::Kind::Symbol, start, i, start, i);
        } else if (std::string_view("(),.;=<>+-*/&{}\\^").find(static_cast<char>(c)) != std::string_view::npos) {
            ++i;
            push(Token::Kind::Symbol, start, i, start, i);
        } else {
            size_t end = i + 1;
            while (end < s.size() && (at(end) & 0xC0) == 0x80) ++end;
            syntaxError(s, start, s.substr(start, end - start));
        }
    }
    out.push_back({Token::Kind::End, {}, static_cast<uint32_t>(s.size()), static_cast<uint32_t>(s.size())});
}

}  // namespace zelt::jet
