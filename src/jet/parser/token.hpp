#pragma once
// Tokens of Jet SQL, as views into the statement's text.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zelt::jet {

bool sameWordSlow(std::string_view a, std::string_view b);

// Words of the dialect; a bare name may not be one of them (a bracketed one may).
enum class Keyword : uint8_t {
    None,
    Select, From, Where, And, Or, Not, On, As, Inner, Left, Right, Outer, Join, Order, By, Group, Union, All, Asc, Desc, Between, Is, Null, Like, Top, Insert, Into, Values, Update, Set, Delete, True, False, Shape, Append, Relate, To, Having,
    Distinct, DistinctRow, Percent, In, Exists, Any, Some,
    Mod, Xor, Eqv, Imp,
};

struct Token {
    enum class Kind : uint8_t { Word, Bracketed, Number, SingleQuoted, DoubleQuoted, DateLiteral, Symbol, AtWord, End };
    Kind kind;
    std::string_view text;  // a literal's body without its delimiters (doubled quotes still doubled)
    uint32_t start, end;    // byte offsets of the whole token in the statement
    Keyword keyword = Keyword::None;

    bool isWord(Keyword k) const { return keyword == k; }
    bool isSymbol(char c) const { return kind == Kind::Symbol && text.size() == 1 && text[0] == c; }
    bool isSymbol(std::string_view s) const { return kind == Kind::Symbol && text == s; }
};

// ASCII case-insensitive; the cheap tests first, as most names differ in length or first letter.
inline bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    if ((a[0] | 0x20) != (b[0] | 0x20)) return false;
    return sameWordSlow(a, b);
}

// Raises the syntax error on a character that starts no token or on a literal left open.
// from: where to begin (the tokens inside Jet's [SELECT ...]. keep their places in the text).
void tokenize(std::string_view text, std::vector<Token>& out, size_t from = 0);

}  // namespace zelt::jet
