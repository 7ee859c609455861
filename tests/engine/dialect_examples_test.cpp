// The Jet dialect's documented examples, one file per construct under dialect/, each walked on a
// fresh database of its own. A line is one of:
//   -- a comment
//   ! STATEMENT                      set-up that must run
//   EXPRESSION => Type text          evaluated on the company's row: VBA's TypeName and the value's
//                                    text (numbers with "."; dates day first; "..." keeps spaces)
//   EXPRESSION => Null | Empty
//   STATEMENT => [[row], ...]        a selection's rows as `zelt sql` prints them (a chapter
//                                    shows only its rows)
//   STATEMENT => n registros         the rows a writing statement affected
//   EXPRESSION or STATEMENT => erro N    the error number it raises
//   EXPRESSION ¦ EXPRESSION ... => ...   each gives the same
// A line that starts with blanks continues the one before it.
#include <cctype>
#include <fstream>
#include <map>
#include <set>

#include "engine_fixture.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/automation/error.hpp"

namespace zelt {
namespace {

namespace fs = std::filesystem;

std::string trim(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
    return b == std::string_view::npos ? "" : std::string(s.substr(b, e - b + 1));
}

bool isStatement(const std::string& text) {
    static const std::set<std::string> first{"SELECT", "INSERT", "UPDATE", "DELETE", "SHAPE", "TRANSFORM",
                                             "CREATE", "DROP", "ALTER", "PARAMETERS", "EXECUTE"};
    std::string word = text.substr(0, text.find_first_of(" (\t"));
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return first.count(word) > 0;
}

// VBA's TypeName.
std::string typeNameOf(const Variant& v) {
    static const std::map<VarType, const char*> names{
        {VarType::Empty, "Empty"}, {VarType::Null, "Null"},         {VarType::I2, "Integer"},   {VarType::I4, "Long"},
        {VarType::UI1, "Byte"},    {VarType::R8, "Double"},         {VarType::Currency, "Currency"}, {VarType::Date, "Date"},
        {VarType::String, "String"}, {VarType::Bool, "Boolean"}};
    return names.contains(v.type()) ? names.at(v.type()) : "Object";
}

std::string described(const Variant& v) {
    if (v.isNull() || v.isEmpty()) return typeNameOf(v);
    std::string text = v.type() == VarType::Bool ? (*v.get<bool>() ? "True" : "False") : v.toText();
    if (v.isText() && (text.empty() || text.front() == ' ' || text.back() == ' ')) text = '"' + text + '"';
    return typeNameOf(v) + " " + text;
}

struct Example {
    std::string text, expected;
    int line;
};

std::vector<Example> examplesOf(const fs::path& file) {
    std::vector<Example> out;
    std::ifstream in(file);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (trim(line).empty() || trim(line).starts_with("--")) continue;
        if ((line[0] == ' ' || line[0] == '\t') && !out.empty()) {
            Example& last = out.back();
            std::string& tail = last.expected.empty() ? last.text : last.expected;
            tail += " " + trim(line);
            if (last.expected.empty() && last.text.find(" => ") != std::string::npos) {
                const size_t arrow = last.text.rfind(" => ");
                last.expected = trim(last.text.substr(arrow + 4));
                last.text = trim(last.text.substr(0, arrow));
            }
            continue;
        }
        const size_t arrow = line.rfind(" => ");
        if (line[0] == '!' || arrow == std::string::npos)
            out.push_back({trim(line), "", n});
        else
            out.push_back({trim(line.substr(0, arrow)), trim(line.substr(arrow + 4)), n});
    }
    return out;
}

// The rows of a recordset's JSON, each chapter in them reduced to its rows.
nlohmann::json rowsOf(const nlohmann::json& recordset) {
    nlohmann::json rows = recordset["rows"];
    for (auto& row : rows)
        for (auto& value : row)
            if (value.is_object()) value = rowsOf(value);
    return rows;
}

class DialectExamples : public testing_support::EngineTest, public ::testing::WithParamInterface<std::string> {
protected:
    // What the engine gives for an example, written as its expectation is.
    std::string outcome(const std::string& text) {
        try {
            if (!isStatement(text)) return described(eval(text));
            int64_t affected = 0;
            auto rs = engine->execute(text, affected);
            if (!rs) return std::to_string(affected) + " registros";
            return rowsOf(ado::toJson(*rs)).dump();
        } catch (const RuntimeError& error) {
            return "erro " + std::to_string(error.number());
        }
    }
};

TEST_P(DialectExamples, GiveTheDocumentedResults) {
    const fs::path file = fs::path(ZELT_SOURCE_DIR) / "tests/engine/dialect" / (GetParam() + ".txt");
    const auto examples = examplesOf(file);
    ASSERT_FALSE(examples.empty()) << file;
    for (const Example& e : examples) {
        const std::string where = GetParam() + ".txt:" + std::to_string(e.line) + ": " + e.text;
        if (e.text.starts_with('!')) {
            int64_t affected = 0;
            try {
                engine->execute(e.text.substr(1), affected);
            } catch (const RuntimeError& error) {
                ADD_FAILURE() << where << ": " << error.description();
            }
            continue;
        }
        if (e.expected.empty()) {
            ADD_FAILURE() << where << ": no \" => \" and no expectation";
            continue;
        }
        std::string expected = e.expected;
        if (expected.starts_with('[')) expected = nlohmann::json::parse(expected).dump();
        for (size_t at = 0, bar = 0; bar != std::string::npos; at = bar + std::string_view(" ¦ ").size()) {
            bar = e.text.find(" ¦ ", at);
            EXPECT_EQ(outcome(e.text.substr(at, bar - at)), expected) << where;
        }
    }
}

std::vector<std::string> exampleFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(ZELT_SOURCE_DIR) / "tests/engine/dialect"))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Jet, DialectExamples, ::testing::ValuesIn(exampleFiles()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace zelt
