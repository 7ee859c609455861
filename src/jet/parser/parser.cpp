#include "jet/parser/parser.hpp"

#include <algorithm>
#include <charconv>
#include <utility>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "zelt/automation/date.hpp"

namespace zelt::jet {
namespace {

using ast::Expr;
using ast::Index;
using ast::Op;
using K = Token::Kind;

// Parentheses, calls, NOT, unary minus and chained comparisons each open a level; deeper statements
// are refused. The component's own reach five. SQLite's parser holds only about a hundred open
// constructs, and a level may open several in the text written for it (a Switch's CASE with its
// WHENs, an argument list), inside the selections that a ranked TOP or a union adds around it.
constexpr int MaxNesting = 10;
// Chains (a AND b AND ...) open no level, but each link lengthens the tree the writer walks.
constexpr int MaxHeight = 256;
// Jet's own limit; SQLite joins at most 64. It also bounds the joins the writer walks.
constexpr int MaxTables = 32;
// SQLite unites at most 500.
constexpr size_t MaxUnionMembers = 50;

class Parser {
public:
    Parser(std::string_view text, ast::Tree& tree, std::vector<Token>& tokens)
        : text_(text), tree_(tree), tokens_(tokens) {
        tokenize(text, tokens_);
        tree_.exprs.reserve(tokens_.size());
    }

    void statement() {
        ast::Statement& st = tree_.statement;
        if (peek().isWord(Keyword::Shape)) {
            shape(st);
        } else if (peek().isWord(Keyword::Select) && peek(1).kind == K::AtWord) {
            next();
            const Token& at = next();
            if (!sameWord(at.text, "Identity")) failAt(at);
            st.kind = ast::Statement::Kind::Identity;
        } else if (peek().isWord(Keyword::Select)) {
            st.kind = ast::Statement::Kind::Select;
            members(st.selects);
        } else if (peek().isWord(Keyword::Insert)) {
            insert(st);
        } else if (peek().isWord(Keyword::Update)) {
            update(st);
        } else if (peek().isWord(Keyword::Delete)) {
            remove(st);
        } else {
            refuseOrFail();
        }
        if (peek().isSymbol(';')) next();
        if (peek().kind != K::End) textAfterStatement(text_, peek().start, nearText(peek()));
    }

private:
    const Token& peek(size_t ahead = 0) const {
        const size_t i = pos_ + ahead;
        return tokens_[i < tokens_.size() ? i : tokens_.size() - 1];
    }
    const Token& next() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }
    std::string_view nearText(const Token& t) const { return text_.substr(t.start, t.end - t.start); }
    [[noreturn]] void failAt(const Token& t) const { syntaxError(text_, t.start, nearText(t)); }
    [[noreturn]] void fail() const { failAt(peek()); }
    [[noreturn]] void tooDeep(uint32_t position) const {
        const auto t = std::lower_bound(tokens_.begin(), tokens_.end(), position,
                                        [](const Token& k, uint32_t p) { return k.start < p; });
        nestedTooDeeply(text_, position, t == tokens_.end() ? std::string_view() : nearText(*t));
    }

    // One level of nesting for as long as it lives.
    class Level {
    public:
        Level(Parser& p, uint32_t position) : p_(p) {
            if (++p_.nesting_ > MaxNesting) p_.tooDeep(position);
        }
        ~Level() { --p_.nesting_; }
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;

    private:
        Parser& p_;
    };

    void expectWord(Keyword w) {
        if (!peek().isWord(w)) fail();
        next();
    }
    void expectSymbol(char c) {
        if (!peek().isSymbol(c)) fail();
        next();
    }
    bool acceptWord(Keyword w) {
        if (!peek().isWord(w)) return false;
        next();
        return true;
    }
    bool acceptSymbol(char c) {
        if (!peek().isSymbol(c)) return false;
        next();
        return true;
    }
    static bool reserved(const Token& t) { return t.keyword != Keyword::None; }
    bool atName() const {
        const Token& t = peek();
        return (t.kind == K::Word && !reserved(t)) || t.kind == K::Bracketed;
    }
    std::string_view name() {
        if (!atName() || peek().text.empty()) fail();
        return next().text;
    }

    Index add(Expr e) {
        tree_.exprs.push_back(e);
        return static_cast<Index>(tree_.exprs.size() - 1);
    }
    Expr& node(Index i) { return tree_.exprs[static_cast<size_t>(i)]; }
    Index make(Expr::Kind kind, uint32_t position, Index first = ast::None) {
        Expr e{};
        e.kind = kind;
        e.position = position;
        e.first = first;
        const Index i = add(e);
        measure(i);
        return i;
    }
    // The node's height from its operands, which are in place.
    void measure(Index e) {
        int below = 0;
        for (Index c = node(e).first; c != ast::None; c = node(c).next) below = std::max<int>(below, node(c).height);
        if (below >= MaxHeight) tooDeep(node(e).position);
        node(e).height = static_cast<uint16_t>(below + 1);
    }
    Index binary(Op op, Index l, Index r, uint32_t position) {
        node(l).next = r;
        const Index e = make(Expr::Kind::Binary, position, l);
        node(e).op = op;
        return e;
    }

    // Statements this connection does not run, refused by name rather than as a misspelling.
    [[noreturn]] void refuseOrFail() const {
        const Token& t = peek();
        if (t.kind == K::Word)
            for (const char* word : {"CREATE", "DROP", "ALTER", "PARAMETERS", "PROCEDURE", "EXECUTE", "EXEC", "TRANSFORM"})
                if (sameWord(t.text, word)) statementRefused(text_, t.start, nearText(t));
        fail();
    }

    // A selection and the members of its unions.
    void members(std::vector<ast::Select>& selects) {
        const int outerTables = tables_;
        selects.push_back(select());
        while (peek().isWord(Keyword::Union)) {
            const Token& u = next();
            if (selects.size() == MaxUnionMembers) tooComplex(text_, u.start, nearText(u));
            const bool all = acceptWord(Keyword::All);
            selects.push_back(select());
            selects.back().unionAll = all;
        }
        tables_ = outerTables;
    }

    // A selection inside the statement, at its SELECT.
    Index query() {
        ast::Query q;
        q.position = peek().start;
        members(q.selects);
        tree_.queries.push_back(std::move(q));
        return static_cast<Index>(tree_.queries.size() - 1);
    }
    Index parenthesizedQuery() {
        const Level level(*this, peek().start);
        expectSymbol('(');
        if (!peek().isWord(Keyword::Select)) fail();
        const Index q = query();
        expectSymbol(')');
        return q;
    }

    ast::Select select() {
        ast::Select s;
        s.position = peek().start;
        tables_ = 0;
        expectWord(Keyword::Select);
        if (acceptWord(Keyword::Distinct)) s.distinct = ast::Select::Distinct::Distinct;
        else if (acceptWord(Keyword::DistinctRow)) s.distinct = ast::Select::Distinct::DistinctRow;
        else acceptWord(Keyword::All);
        if (acceptWord(Keyword::Top)) {
            const Token& n = peek();
            int64_t top = 0;
            if (n.kind != K::Number ||
                std::from_chars(n.text.data(), n.text.data() + n.text.size(), top).ptr != n.text.data() + n.text.size())
                fail();
            next();
            s.top = top;
            s.percent = acceptWord(Keyword::Percent);
            if (s.percent && top > 100) failAt(n);
        }
        do s.items.push_back(selectItem());
        while (acceptSymbol(','));
        if (atName()) fail();  // an alias needs its AS
        if (acceptWord(Keyword::From)) s.from = fromClause();
        if (acceptWord(Keyword::Where)) s.where = expression();
        if (acceptWord(Keyword::Group)) {
            expectWord(Keyword::By);
            do s.groupBy.push_back(expression());
            while (acceptSymbol(','));
        }
        if (acceptWord(Keyword::Having)) s.having = expression();
        if (acceptWord(Keyword::Order)) {
            expectWord(Keyword::By);
            do {
                const Index e = expression();
                bool descending = false;
                if (acceptWord(Keyword::Desc)) descending = true;
                else acceptWord(Keyword::Asc);
                s.orderBy.push_back({e, descending});
            } while (acceptSymbol(','));
        }
        return s;
    }

    ast::SelectItem selectItem() {
        ast::SelectItem item;
        if (acceptSymbol('*')) return item;
        if (atName() && peek(1).isSymbol('.') && peek(2).isSymbol('*')) {
            item.star = next().text;
            pos_ += 2;
            return item;
        }
        item.expr = expression();
        if (acceptWord(Keyword::As)) item.alias = name();
        return item;
    }

    Index addFrom(ast::From f) {
        if (f.join == ast::From::Join::Table && ++tables_ > MaxTables) tooComplex(text_, f.position, f.table);
        tree_.froms.push_back(f);
        return static_cast<Index>(tree_.froms.size() - 1);
    }

    Index fromClause() {
        Index left = fromPrimary();
        for (;;) {
            ast::From join;
            join.position = peek().start;
            if (acceptSymbol(',')) {
                join.join = ast::From::Join::Cross;
                join.left = left;
                join.right = fromPrimary();
                left = addFrom(join);
                continue;
            }
            if (acceptWord(Keyword::Inner)) join.join = ast::From::Join::Inner;
            else if (acceptWord(Keyword::Left)) join.join = ast::From::Join::Left;
            else if (acceptWord(Keyword::Right)) join.join = ast::From::Join::Right;
            else return left;
            if (join.join != ast::From::Join::Inner) acceptWord(Keyword::Outer);
            expectWord(Keyword::Join);
            join.left = left;
            join.right = fromPrimary();
            expectWord(Keyword::On);
            join.on = expression();
            left = addFrom(join);
        }
    }

    Index fromPrimary() {
        ast::From f;
        f.position = peek().start;
        if (peek().isSymbol('(') && peek(1).isWord(Keyword::Select)) {
            f.query = parenthesizedQuery();
            f.alias = alias();
            if (f.alias.empty()) fail();  // a selection in FROM is named
            return addFrom(f);
        }
        if (peek().isSymbol('(')) {
            const Level level(*this, next().start);
            const Index inner = fromClause();
            expectSymbol(')');
            return inner;
        }
        f.table = name();
        f.alias = alias();
        return addFrom(f);
    }

    // [AS] alias after a table, or nothing.
    std::string_view alias() {
        if (acceptWord(Keyword::As)) return name();
        return atName() ? next().text : std::string_view();
    }

    // Precedence, loosest first, as in VBA: IMP, EQV, XOR, OR, AND, NOT, comparisons, &, + -, MOD,
    // \, * /, unary minus, ^ (so -2 ^ 2 is -4).
    Index expression() {
        const Level level(*this, peek().start);
        return climb(orExpr(), 0, &Parser::looseLevel, &Parser::orExpr);
    }

    // Operators of several levels, by precedence climbing: an operand with none after it costs
    // one test, not a call per level. levelOf gives the operator's level (higher binds tighter),
    // or -1 for a token that is none.
    using LevelOf = int (*)(const Token&, Op&);
    Index climb(Index l, int min, LevelOf levelOf, Index (Parser::*operand)()) {
        Op op;
        for (int level; (level = levelOf(peek(), op)) >= min;) {
            const uint32_t p = next().start;
            const Op mine = op;
            Index r = (this->*operand)();
            for (Op ignored; levelOf(peek(), ignored) > level;) r = climb(r, level + 1, levelOf, operand);
            l = binary(mine, l, r, p);
        }
        return l;
    }
    // IMP, EQV, XOR, loosest first.
    static int looseLevel(const Token& t, Op& op) {
        if (t.kind != K::Word) return -1;
        if (t.isWord(Keyword::Imp)) return op = Op::Imp, 0;
        if (t.isWord(Keyword::Eqv)) return op = Op::Eqv, 1;
        if (t.isWord(Keyword::Xor)) return op = Op::Xor, 2;
        return -1;
    }
    // MOD, \, then * and /.
    static int termLevel(const Token& t, Op& op) {
        if (t.isWord(Keyword::Mod)) return op = Op::Mod, 0;
        if (t.kind != K::Symbol || t.text.size() != 1) return -1;
        if (t.text[0] == '\\') return op = Op::IntDiv, 1;
        if (t.text[0] == '*') return op = Op::Mul, 2;
        if (t.text[0] == '/') return op = Op::Div, 2;
        return -1;
    }

    Index orExpr() {
        Index l = andExpr();
        while (peek().isWord(Keyword::Or)) {
            const uint32_t p = next().start;
            l = binary(Op::Or, l, andExpr(), p);
        }
        return l;
    }
    Index andExpr() {
        Index l = notExpr();
        while (peek().isWord(Keyword::And)) {
            const uint32_t p = next().start;
            l = binary(Op::And, l, notExpr(), p);
        }
        return l;
    }
    Index notExpr() {
        if (peek().isWord(Keyword::Not)) {
            const uint32_t p = next().start;
            const Level level(*this, p);
            return make(Expr::Kind::Not, p, notExpr());
        }
        return comparison();
    }

    static bool comparisonOp(const Token& t, Op& op) {
        if (t.kind != K::Symbol) return false;
        if (t.text == "=") op = Op::Eq;
        else if (t.text == "<>") op = Op::Ne;
        else if (t.text == "<") op = Op::Lt;
        else if (t.text == ">") op = Op::Gt;
        else if (t.text == "<=") op = Op::Le;
        else if (t.text == ">=") op = Op::Ge;
        else return false;
        return true;
    }

    bool atComparison() const {
        Op op;
        const Token& t = peek();
        return comparisonOp(t, op) || t.isWord(Keyword::Like) || t.isWord(Keyword::Between) || t.isWord(Keyword::Is) ||
               t.isWord(Keyword::In) ||
               (t.isWord(Keyword::Not) &&
                (peek(1).isWord(Keyword::Like) || peek(1).isWord(Keyword::Between) || peek(1).isWord(Keyword::In)));
    }

    // A comparison of a comparison is enclosed in the text written for SQLite (the two dialects
    // rank them differently), so each further link of such a chain is a level.
    Index comparison() {
        Index l = concat();
        const int outer = nesting_;
        for (bool chained = false; atComparison(); chained = true) {
            if (chained && ++nesting_ > MaxNesting) tooDeep(peek().start);
            l = comparisonWith(l);
        }
        nesting_ = outer;
        return l;
    }

    Index comparisonWith(Index l) {
        Op op;
        if (comparisonOp(peek(), op)) {
            const uint32_t p = next().start;
            const Token& q = peek();
            if ((q.isWord(Keyword::Any) || q.isWord(Keyword::Some) || q.isWord(Keyword::All)) && peek(1).isSymbol('(')) {
                next();
                // Written with the selection four times over, so each counts one level more.
                const Level level(*this, q.start);
                const Index e = make(Expr::Kind::Quantified, p, l);
                node(e).op = op;
                node(e).number = q.isWord(Keyword::All) ? 1 : 0;
                node(e).query = parenthesizedQuery();
                return e;
            }
            return binary(op, l, concat(), p);
        }
        const bool negated = acceptWord(Keyword::Not);  // NOT LIKE, NOT BETWEEN, NOT IN
        const Token& word = next();
        const uint32_t p = word.start;
        if (word.isWord(Keyword::In)) {
            l = make(Expr::Kind::In, p, l);
            node(l).negated = negated;
            if (peek().isSymbol('(') && peek(1).isWord(Keyword::Select)) {
                node(l).query = parenthesizedQuery();
                return l;
            }
            expectSymbol('(');
            for (Index last = node(l).first;;) {
                const Index v = expression();
                node(last).next = v;
                last = v;
                if (!acceptSymbol(',')) break;
            }
            expectSymbol(')');
            measure(l);
        } else if (word.isWord(Keyword::Like)) {
            node(l).next = concat();
            l = make(Expr::Kind::Like, p, l);
            node(l).negated = negated;
        } else if (word.isWord(Keyword::Between)) {
            const Index low = concat();
            expectWord(Keyword::And);
            const Index high = concat();
            node(l).next = low;
            node(low).next = high;
            l = make(Expr::Kind::Between, p, l);
            node(l).negated = negated;
        } else {  // IS [NOT] NULL
            const bool isNot = acceptWord(Keyword::Not);
            expectWord(Keyword::Null);
            l = make(Expr::Kind::IsNull, p, l);
            node(l).negated = isNot;
        }
        return l;
    }
    Index concat() {
        Index l = additive();
        while (peek().isSymbol('&')) {
            const uint32_t p = next().start;
            l = binary(Op::Concat, l, additive(), p);
        }
        return l;
    }
    Index additive() {
        Index l = term();
        while (peek().isSymbol('+') || peek().isSymbol('-')) {
            const Op op = peek().isSymbol('+') ? Op::Add : Op::Sub;
            const uint32_t p = next().start;
            l = binary(op, l, term(), p);
        }
        return l;
    }
    Index term() { return climb(unary(), 0, &Parser::termLevel, &Parser::unary); }
    Index unary() { return signedValue(true); }
    // A sign, then a value. An exponent has its own sign (2 ^ -1) but no power of its own, so that
    // 2 ^ 3 ^ 2 is (2 ^ 3) ^ 2, while -2 ^ 2 is -(2 ^ 2).
    Index signedValue(bool raised) {
        if (peek().isSymbol('-')) {
            const uint32_t p = next().start;
            const Level level(*this, p);
            return make(Expr::Kind::Negate, p, signedValue(raised));
        }
        if (peek().isSymbol('+')) next();
        const Index l = primary();
        return raised && peek().isSymbol('^') ? power(l) : l;
    }
    Index power(Index l) {
        while (peek().isSymbol('^')) {
            const uint32_t p = next().start;
            l = binary(Op::Power, l, signedValue(false), p);
        }
        return l;
    }

    Index column(std::string_view table, std::string_view column, uint32_t position) {
        const Index e = make(Expr::Kind::Column, position);
        node(e).a = table;
        node(e).b = column;
        return e;
    }

    // [Tabela.Coluna] names a table's column as Tabela.Coluna does; [Coluna] a column.
    Index bracketed(const Token& t) {
        const size_t dot = t.text.find('.');
        if (dot == std::string_view::npos) return column({}, t.text, t.start);
        if (dot == 0 || dot + 1 == t.text.size()) failAt(t);
        return column(t.text.substr(0, dot), t.text.substr(dot + 1), t.start);
    }

    Index call(const Token& nameToken) {
        const Index e = make(Expr::Kind::Call, nameToken.start);
        node(e).a = nameToken.text;
        expectSymbol('(');
        if (acceptSymbol(')')) return e;
        Index last = ast::None;
        do {
            Index arg;
            if (peek().isSymbol('*') && peek(1).isSymbol(')')) arg = make(Expr::Kind::Star, next().start);
            else arg = expression();
            if (last == ast::None) node(e).first = arg;
            else node(last).next = arg;
            last = arg;
        } while (acceptSymbol(','));
        expectSymbol(')');
        measure(e);
        return e;
    }

    Index primary() {
        const Token& t = peek();
        switch (t.kind) {
        case K::Number: {
            next();
            const Index e = make(Expr::Kind::Number, t.start);
            node(e).a = t.text;
            return e;
        }
        case K::SingleQuoted:
        case K::DoubleQuoted: {
            next();
            const Index e = make(Expr::Kind::String, t.start);
            node(e).a = t.text;
            node(e).doubleQuoted = t.kind == K::DoubleQuoted;
            return e;
        }
        case K::DateLiteral: {
            const auto date = Date::parseMonthFirst(t.text);
            if (!date) failAt(t);
            next();
            const Index e = make(Expr::Kind::Date, t.start);
            node(e).number = date->serial();
            return e;
        }
        case K::Bracketed: {
            next();
            if (peek().isSymbol('.') && peek(1).kind != K::End) {  // [Tabela].[Coluna]
                next();
                const Token& c = peek();
                return column(t.text, name(), c.start);
            }
            return bracketed(t);
        }
        case K::Symbol:
            if (t.isSymbol('(') && peek(1).isWord(Keyword::Select)) {
                const Index e = make(Expr::Kind::Subquery, t.start);
                node(e).query = parenthesizedQuery();
                return e;
            }
            if (acceptSymbol('(')) {
                const Index inner = expression();
                expectSymbol(')');
                return inner;
            }
            fail();
        case K::Word: {
            if (t.isWord(Keyword::Null)) return next(), make(Expr::Kind::Null, t.start);
            if (t.isWord(Keyword::Exists)) {
                next();
                const Index e = make(Expr::Kind::Exists, t.start);
                node(e).query = parenthesizedQuery();
                return e;
            }
            if (t.isWord(Keyword::True) || t.isWord(Keyword::False)) {
                next();
                const Index e = make(Expr::Kind::Boolean, t.start);
                node(e).number = t.isWord(Keyword::True) ? 1 : 0;
                return e;
            }
            // Left, Right and Asc name functions too.
            if (reserved(t) && !((t.isWord(Keyword::Left) || t.isWord(Keyword::Right) || t.isWord(Keyword::Asc)) &&
                                 peek(1).isSymbol('(')))
                fail();
            next();
            if (peek().isSymbol('(')) return call(t);
            if (peek().isSymbol('.')) {
                next();
                return column(t.text, name(), t.start);
            }
            if (sameWord(t.text, "NOW")) return make(Expr::Kind::Now, t.start);
            return column({}, t.text, t.start);
        }
        default:
            fail();
        }
    }

    void columnList(ast::Statement& st) {
        do {
            const uint32_t p = peek().start;
            std::string_view c = name();
            if (acceptSymbol('.')) c = name();  // Tabela.Coluna
            st.assignments.push_back({c, p, ast::None});
        } while (acceptSymbol(','));
    }

    void insert(ast::Statement& st) {
        st.kind = ast::Statement::Kind::Insert;
        expectWord(Keyword::Insert);
        expectWord(Keyword::Into);
        st.tablePosition = peek().start;
        st.table = name();
        if (acceptSymbol('(')) {
            columnList(st);
            expectSymbol(')');
        } else {
            st.allColumns = true;
        }
        if (peek().isWord(Keyword::Select)) {
            st.source = query();
            return;
        }
        const Token& values = peek();
        expectWord(Keyword::Values);
        expectSymbol('(');
        size_t n = 0;
        do {
            const Index v = expression();
            if (st.allColumns) st.assignments.push_back({{}, tree_[v].position, v});
            else if (n < st.assignments.size()) st.assignments[n].value = v;
            ++n;
        } while (acceptSymbol(','));
        if (!st.allColumns && n != st.assignments.size()) failAt(n > st.assignments.size() ? peek() : values);
        expectSymbol(')');
    }

    void update(ast::Statement& st) {
        st.kind = ast::Statement::Kind::Update;
        expectWord(Keyword::Update);
        st.tablePosition = peek().start;
        if (peek(1).isWord(Keyword::Set)) st.table = name();
        else st.from = fromClause();  // UPDATE A INNER JOIN B ON ... SET
        expectWord(Keyword::Set);
        do {
            const uint32_t p = peek().start;
            std::string_view table, c = name();
            if (acceptSymbol('.')) table = std::exchange(c, name());  // Tabela.Coluna
            expectSymbol('=');
            st.assignments.push_back({c, p, expression(), table});
        } while (acceptSymbol(','));
        if (acceptWord(Keyword::Where)) st.where = expression();
    }

    void remove(ast::Statement& st) {
        st.kind = ast::Statement::Kind::Delete;
        expectWord(Keyword::Delete);
        std::string_view target;  // Tabela.*: the table rows go from, among those FROM joins
        if (!acceptSymbol('*') && atName() && peek(1).isSymbol('.') && peek(2).isSymbol('*')) {
            target = name();
            pos_ += 2;
        }
        expectWord(Keyword::From);
        st.tablePosition = peek().start;
        const Token& after = peek(1);
        if (after.isWord(Keyword::Where) || after.isSymbol(';') || after.kind == K::End) {
            st.table = name();
        } else {
            st.from = fromClause();  // DELETE t.* FROM A AS t INNER JOIN B ON ...
            st.table = target;
        }
        if (acceptWord(Keyword::Where)) st.where = expression();
    }

    void shape(ast::Statement& st) {
        st.kind = ast::Statement::Kind::Shape;
        shapeCommand(st);
    }

    // SHAPE table [[AS] alias] [APPEND column, ...]. A parent that is itself a shape takes the
    // columns appended here after its own.
    ast::Index shapeCommand(ast::Statement& st) {
        expectWord(Keyword::Shape);
        const ast::Index node = shapeTable(st);
        shapeAlias();  // the parent's alias names nothing the command refers to
        if (acceptWord(Keyword::Append)) {
            do {
                ast::ShapeColumn c = shapeColumn(st);  // may add nodes
                st.shapes[static_cast<size_t>(node)].appended.push_back(std::move(c));
            } while (acceptSymbol(','));
        }
        return node;
    }

    // {selection} or (SHAPE ...). The first node made is the whole command's.
    ast::Index shapeTable(ast::Statement& st) {
        if (peek().isSymbol('(')) {
            Level level(*this, next().start);
            const ast::Index node = shapeCommand(st);
            expectSymbol(')');
            return node;
        }
        expectSymbol('{');
        st.selects.push_back(select());
        expectSymbol('}');
        st.shapes.push_back({st.selects.size() - 1, {}});
        return static_cast<ast::Index>(st.shapes.size() - 1);
    }

    // (table [[AS] alias] RELATE a TO b, ...) or an aggregate over a chapter, with its [[AS] alias].
    ast::ShapeColumn shapeColumn(ast::Statement& st) {
        using C = ast::ShapeColumn::Kind;
        static constexpr std::pair<std::string_view, C> aggregates[] = {
            {"Sum", C::Sum}, {"Avg", C::Avg}, {"Min", C::Min}, {"Max", C::Max},
            {"Count", C::Count}, {"StDev", C::StDev}, {"Any", C::Any}};
        ast::ShapeColumn c;
        if (peek().isSymbol('(')) {
            Level level(*this, next().start);
            c.child = shapeTable(st);
            shapeAlias();
            expectWord(Keyword::Relate);
            do {
                const uint32_t parentAt = peek().start;
                const std::string_view parent = name();
                expectWord(Keyword::To);
                c.positions.insert(c.positions.end(), {parentAt, peek().start});
                c.relate.emplace_back(parent, name());
            } while (acceptSymbol(','));
            expectSymbol(')');
        } else {
            const auto a = std::find_if(std::begin(aggregates), std::end(aggregates), [&](const auto& k) {
                return peek().kind == K::Word && sameWord(peek().text, k.first);
            });
            if (a == std::end(aggregates) || !peek(1).isSymbol('(')) fail();
            c.kind = a->second;
            next();
            next();
            do {
                c.positions.push_back(peek().start);
                c.path.push_back(name());
            } while (acceptSymbol('.'));
            expectSymbol(')');
        }
        c.name = shapeAlias();
        return c;
    }

    std::string_view shapeAlias() {
        if (acceptWord(Keyword::As) || atName()) return name();
        return {};
    }

    std::string_view text_;
    ast::Tree& tree_;
    std::vector<Token>& tokens_;
    size_t pos_ = 0;
    int nesting_ = 0;
    int tables_ = 0;  // of the selection being read
};

}  // namespace

void parse(std::string_view text, ast::Tree& tree) {
    // Kept from one statement to the next: a long selection has thousands of tokens.
    thread_local std::vector<Token> tokens;
    tokens.clear();
    tree.reset(text);
    Parser(text, tree, tokens).statement();
}

}  // namespace zelt::jet
