#pragma once
// The part of a selection the engine computes after the server: on an engine that has no Format,
// a selected column or an ORDER BY term that uses it is computed from the row the server sends,
// which then carries Format's operands (and the tests of IIf and Switch around it) instead. On an
// engine whose CASE takes one type, an IIf or Switch whose branches are of different kinds (a
// number here, a text there) is chosen the same way, so each value keeps its kind.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "jet/parser/ast.hpp"
#include "jet/translate/expression_writer.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet {

class LocalPlanner {
public:
    LocalPlanner(const ast::Tree& tree, const Scope& scope, const std::vector<Alias>& aliases)
        : tree_(tree), scope_(scope), aliases_(aliases) {}

    // How the planner learns the kind of a branch, on an engine that cannot mix them.
    void kindsBy(std::function<Typed(ast::Index)> probe) { probe_ = std::move(probe); }
    // On an engine without the function library's functions, those the server cannot compute
    // either (onServer: whether it can, with its own spelling) are computed here, with the
    // library's operators around them.
    void libraryOnServerBy(std::function<bool(ast::Index)> onServer) { onServer_ = std::move(onServer); }
    // The engine groups the rows (after a condition only it can test): aggregates are its own.
    void groupsLocally() { groups_ = true; }

    // Whether e uses Format (through an ORDER BY alias too), or mixes kinds the engine cannot.
    bool needed(ast::Index e) const;
    // e as the engine computes it; what the server computes for it is remembered for fetched().
    // Raises a syntax error where Format is inside what only the server could compute.
    LocalValue localize(ast::Index e);
    bool empty() const { return fetched_.empty() && !computed_ && aggregates_.empty(); }

    // Writes what the server computes for the local values (", expr AS name" each, an expression
    // the server would write the same way once; a text written in the statement is never sent) after the
    // `before` columns the server sends for the selection itself, and makes the query's local
    // values name their positions in the row and take their kinds.
    void writeFetched(ExpressionWriter& w, std::string& out, Query& q, bool first, std::vector<ValueKind> before);

private:
    LocalValue fetched(ast::Index e);
    // e as a condition computed here (a comparison, And, Or, Not, Is Null, Like, Between, an IN
    // list); nothing for any other expression.
    std::optional<LocalValue> condition(ast::Index e);
    LocalValue aggregate(const ast::Expr& call);
    bool mixesKinds(const ast::Expr& call) const;

    const ast::Tree& tree_;
    const Scope& scope_;
    const std::vector<Alias>& aliases_;
    std::vector<ast::Index> fetched_;
    std::function<Typed(ast::Index)> probe_;
    std::function<bool(ast::Index)> onServer_;
    bool computed_ = false;  // a value computed from nothing fetched (Date(), a text)
    bool groups_ = false;
    bool insideAggregate_ = false;
    std::vector<LocalAggregate> aggregates_;
};

}  // namespace zelt::jet
