#include "jet/translate/shape_writer.hpp"

#include <string>

#include "jet/parser/syntax_error.hpp"
#include "jet/parser/token.hpp"
#include "jet/translate/select_writer.hpp"

namespace zelt::jet {
namespace {

using Column = ShapeLevel::Column;

class ShapeWriter {
public:
    ShapeWriter(const ast::Tree& tree, const Dialect& dialect) : tree_(tree), dialect_(dialect) {}

    std::shared_ptr<const ShapeLevel> write(const ast::ShapeNode& node) {
        auto level = std::make_shared<ShapeLevel>();
        level->query = writeSelect(tree_, tree_.statement.selects[node.select], dialect_);
        int chapters = 0, aggregates = 0;
        for (const ast::ShapeColumn& c : node.appended) {
            Column out;
            out.kind = static_cast<Column::Kind>(c.kind);  // the two list the kinds in one order
            if (c.kind == ast::ShapeColumn::Kind::Chapter) {
                out.child = write(tree_.statement.shapes[static_cast<size_t>(c.child)]);
                for (size_t i = 0; i < c.relate.size(); ++i)
                    out.relate.emplace_back(resultColumn(*level, c.relate[i].first, c.positions[2 * i]),
                                            resultColumn(*out.child, c.relate[i].second, c.positions[2 * i + 1]));
                out.name = c.name.empty() ? "Chapter" + std::to_string(++chapters) : std::string(c.name);
            } else {
                out.path = aggregated(*level, c);
                out.name = c.name.empty() ? "Aggregate" + std::to_string(++aggregates) : std::string(c.name);
            }
            level->appended.push_back(std::move(out));
        }
        return level;
    }

private:
    // A column of the level's rows that holds values (not a chapter), as the level spells it.
    std::string resultColumn(const ShapeLevel& level, std::string_view name, uint32_t position) const {
        for (const ResultColumn& c : level.query.columns)
            if (sameWord(c.name, name)) return c.name;
        for (const Column& c : level.appended)
            if (c.kind != Column::Kind::Chapter && sameWord(c.name, name)) return c.name;
        missingColumn(name, "no resultado da consulta, " + whereInText(tree_.text, position, name));
    }

    // chapter[.chapter...].column, or chapter[.chapter...] for Count of rows: each chapter one
    // appended to the level above it, the column one of the last chapter's rows.
    std::vector<std::string> aggregated(const ShapeLevel& top, const ast::ShapeColumn& c) const {
        std::vector<std::string> path;
        const ShapeLevel* level = &top;
        for (size_t i = 0; i < c.path.size(); ++i) {
            const Column* chapter = nullptr;
            for (const Column& a : level->appended)
                if (a.kind == Column::Kind::Chapter && sameWord(a.name, c.path[i])) chapter = &a;
            const bool last = i + 1 == c.path.size();
            if (chapter && !(last && c.kind != ast::ShapeColumn::Kind::Count)) {
                path.push_back(chapter->name);
                level = chapter->child.get();
            } else if (last && i > 0) {
                path.push_back(resultColumn(*level, c.path[i], c.positions[i]));
            } else {
                missingColumn(c.path[i], "no resultado da consulta, " + whereInText(tree_.text, c.positions[i], c.path[i]));
            }
        }
        return path;
    }

    const ast::Tree& tree_;
    const Dialect& dialect_;
};

}  // namespace

std::shared_ptr<const ShapeLevel> writeShape(const ast::Tree& tree, const Dialect& dialect) {
    return ShapeWriter(tree, dialect).write(tree.statement.shapes.front());
}

}  // namespace zelt::jet
