#include "zelt/jet/translator.hpp"

#include <list>
#include <unordered_map>

#include "jet/parser/parser.hpp"
#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/dialect.hpp"
#include "jet/translate/modify_writer.hpp"
#include "jet/translate/select_writer.hpp"
#include "jet/translate/shape_writer.hpp"

namespace zelt::jet {
namespace {

// The component writes its values into the text, so most texts come once; the few that repeat
// (the server clock, the identity, the counts of a deletion check) are short, and kept.
constexpr size_t CacheSize = 64;
constexpr size_t LongestCachedText = 1024;

class TranslationCache {
public:
    const Translation* find(std::string_view text) {
        const auto it = index_.find(text);
        if (it == index_.end()) return nullptr;
        entries_.splice(entries_.begin(), entries_, it->second);
        return &it->second->second;
    }

    void store(std::string_view text, const Translation& t) {
        if (entries_.size() >= CacheSize) {
            index_.erase(entries_.back().first);
            entries_.pop_back();
        }
        entries_.emplace_front(std::string(text), t);
        index_.emplace(entries_.front().first, entries_.begin());
    }

private:
    using Entry = std::pair<std::string, Translation>;
    std::list<Entry> entries_;
    std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
};

Translation translateText(std::string_view text, const Dialect& dialect) {
    thread_local ast::Tree tree;  // its storage serves the next statement too
    parse(text, tree);
    const ast::Statement& st = tree.statement;
    Translation t;
    switch (st.kind) {
    case ast::Statement::Kind::Identity:
        t.kind = Translation::Kind::Identity;
        t.query.sql = "SELECT last_insert_rowid() AS \"Expr1000\"";
        t.query.columns = {{"Expr1000", ValueKind::Integer}};
        break;
    case ast::Statement::Kind::Select:
        t.kind = Translation::Kind::Select;
        t.query = writeUnion(tree, st.selects, dialect);
        break;
    case ast::Statement::Kind::Shape:
        t.kind = Translation::Kind::Shape;
        t.shape = writeShape(tree, dialect);
        break;
    case ast::Statement::Kind::Insert:
    case ast::Statement::Kind::Update:
    case ast::Statement::Kind::Delete:
        t.kind = Translation::Kind::Modify;
        t.query = writeModification(tree, dialect);
        break;
    }
    return t;
}

void addQueries(const ShapeLevel& level, std::vector<const Query*>& out) {
    out.push_back(&level.query);
    for (const ShapeLevel::Column& c : level.appended)
        if (c.child) addQueries(*c.child, out);
}

}  // namespace

std::vector<const Query*> Translation::queries() const {
    std::vector<const Query*> out;
    if (shape) addQueries(*shape, out);
    else out.push_back(&query);
    return out;
}

Translation translate(std::string_view jetText, const Dialect& dialect) {
    if (jetText.size() > LongestCachedText) return translateText(jetText, dialect);
    thread_local std::unordered_map<const Dialect*, TranslationCache> caches;
    TranslationCache& cache = caches[&dialect];
    if (const Translation* known = cache.find(jetText)) return *known;
    Translation t = translateText(jetText, dialect);
    cache.store(jetText, t);
    return t;
}

Translation translate(std::string_view jetText) { return translate(jetText, sqliteDialect()); }

}  // namespace zelt::jet
