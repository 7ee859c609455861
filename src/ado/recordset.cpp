#include "zelt/ado/recordset.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <iterator>

#include "ado/recordset_data.hpp"
#include "ado/errors.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::ado {


// Numbers relate by value whatever their kind (an Integer parent code meets a Double child code);
// their key is the double's bytes, so a relation of many rows formats no number as text.
std::string chaveDeRelacao(const Variant& v) {
    if (v.isNumber() || v.get<bool>()) {
        double valor = v.toDouble();
        if (valor == 0) valor = 0;  // -0 relates to 0
        std::string chave(1 + sizeof valor, 'n');
        std::memcpy(chave.data() + 1, &valor, sizeof valor);
        return chave;
    }
    return "t" + v.toText();
}

namespace {

// The key of a row's columns, empty when one is Null (it relates to nothing). Several columns: each
// value's key after its length, so that no two lists of values run together.
template <class ValueOf>
std::string chaveDasColunas(ValueOf valueOf, const std::vector<int>& fields) {
    if (fields.size() == 1) {
        const Variant& v = valueOf(fields[0]);
        return v.isNull() || v.isEmpty() ? std::string() : chaveDeRelacao(v);
    }
    std::string chave;
    for (int f : fields) {
        const Variant& v = valueOf(f);
        if (v.isNull() || v.isEmpty()) return {};
        const std::string parte = chaveDeRelacao(v);
        const uint32_t tamanho = static_cast<uint32_t>(parte.size());
        chave.append(reinterpret_cast<const char*>(&tamanho), sizeof tamanho).append(parte);
    }
    return chave;
}

}  // namespace

Recordset::Recordset() : fields_(*this), cursor_(std::make_unique<Cursor>()) { data_ = std::make_shared<RecordsetData>(); }
Recordset::~Recordset() = default;

namespace {
void requireOpen(bool open) {
    if (!open) raise(err::ObjectClosed);
}
}  // namespace

Ref<Recordset> Recordset::fromValues(std::vector<FieldDef> fields, std::vector<Variant> values) {
    auto rs = make<Recordset>();
    auto& d = *rs->data_;
    d.fields = std::move(fields);
    d.values = std::move(values);
    const size_t width = d.fields.size();
    if (width == 0) d.values.clear();
    else if (const size_t rest = d.values.size() % width) d.values.resize(d.values.size() + width - rest);
    rs->cursor_->openOn(d.rows());
    return rs;
}

Ref<Recordset> Recordset::fromRows(std::vector<FieldDef> fields, std::vector<std::vector<Variant>> rows) {
    std::vector<Variant> values;
    values.reserve(rows.size() * fields.size());
    for (auto& r : rows) {
        r.resize(fields.size());
        std::move(r.begin(), r.end(), std::back_inserter(values));
    }
    return fromValues(std::move(fields), std::move(values));
}

Ref<Recordset> Recordset::relate(Ref<Recordset> parent, Ref<Recordset> child, std::string_view parentKey,
                                 std::string_view childKey, std::string chapterName) {
    return relateRows(*parent, *child, {{std::string(parentKey), std::string(childKey)}}, std::move(chapterName), false);
}

Ref<Recordset> Recordset::relateTakingRows(Ref<Recordset> parent, Ref<Recordset> child, const KeyPairs& keys,
                                           std::string chapterName) {
    return relateRows(*parent, *child, keys, std::move(chapterName), true);
}

Ref<Recordset> Recordset::relateRows(Recordset& parent, Recordset& child, const KeyPairs& keys,
                                     std::string chapterName, bool takeRows) {
    Chapter chapter;
    std::vector<int> childKeys;
    for (const auto& [p, c] : keys) {
        chapter.parentKeys.push_back(parent.fieldIndex(p));
        childKeys.push_back(child.fieldIndex(c));
        if (chapter.parentKeys.back() < 0 || childKeys.back() < 0) raise(err::ItemNotFound);
    }
    // A value of the sources, moved out when the rows are taken (the sources own their storage).
    auto value = [takeRows](Recordset& from, int32_t r, int f) {
        const Variant& v = from.valueAt(r, f);
        return takeRows ? std::move(const_cast<Variant&>(v)) : Variant(v);
    };
    auto rs = make<Recordset>();
    auto& d = *rs->data_;
    d.fields = parent.data_->fields;
    d.chapters = takeRows ? std::move(parent.data_->chapters) : parent.data_->chapters;
    d.fields.push_back({std::move(chapterName), adChapter, 4, adFldIsChapter});
    const int n = static_cast<int>(d.fields.size());
    const int32_t rows = parent.get_RecordCount();
    d.values.reserve(static_cast<size_t>(rows) * static_cast<size_t>(n));
    for (int32_t r = 0; r < rows; ++r) {
        for (int f = 0; f < n - 1; ++f) d.values.push_back(value(parent, r, f));
        d.values.emplace_back();
    }
    // The child keeps its own order (its ORDER BY); the relation is one pass over it.
    auto childData = std::make_shared<RecordsetData>();
    childData->fields = child.data_->fields;
    childData->chapters = takeRows ? std::move(child.data_->chapters) : child.data_->chapters;
    const int cn = static_cast<int>(childData->fields.size());
    const int32_t childRows = child.get_RecordCount();
    childData->values.reserve(static_cast<size_t>(childRows) * static_cast<size_t>(cn));
    for (int32_t r = 0; r < childRows; ++r) {
        const std::string key = chaveDasColunas([&](int f) -> const Variant& { return child.valueAt(r, f); }, childKeys);
        if (!key.empty()) chapter.rowsByKey[key].push_back(r);
        for (int f = 0; f < cn; ++f) childData->values.push_back(value(child, r, f));
    }
    if (takeRows) {
        for (Recordset* source : {&parent, &child}) {
            source->data_->values.clear();
            source->cursor_->openOn(0);
        }
    }
    chapter.child = std::move(childData);
    d.chapters.emplace(n - 1, std::move(chapter));
    rs->cursor_->openOn(rows);
    return rs;
}

void Recordset::appendComputedField(FieldDef field, std::vector<Variant> values) {
    auto& d = *data_;
    const size_t width = d.fields.size(), rows = static_cast<size_t>(d.rows());
    values.resize(rows);
    std::vector<Variant> wider;
    wider.reserve(rows * (width + 1));
    for (size_t r = 0; r < rows; ++r) {
        std::move(d.values.begin() + static_cast<ptrdiff_t>(r * width),
                  d.values.begin() + static_cast<ptrdiff_t>((r + 1) * width), std::back_inserter(wider));
        wider.push_back(std::move(values[r]));
    }
    d.values = std::move(wider);
    d.fields.push_back(std::move(field));
}

std::string Recordset::get_Source() const { return source_; }
void Recordset::put_Source(std::string text) { source_ = std::move(text); }
Ref<Connection> Recordset::get_ActiveConnection() const { return connection_; }
void Recordset::putref_ActiveConnection(Ref<Connection> connection) { connection_ = std::move(connection); }

void Recordset::Open() {
    if (cursor_->open) raise(err::ObjectOpen);
    if (!source_.empty()) {
        if (!connection_) raise(err::ConnectionInvalid);
        auto result = connection_->Execute(source_);
        if (!result) raise(err::ObjectClosed);
        const int32_t pageSize = cursor_->pageSize;
        data_ = result->data_;
        *cursor_ = *result->cursor_;
        cursor_->pageSize = pageSize;
        return;
    }
    // A recordset that exists only in memory, with the appended fields.
    data_->values.clear();
    cursor_->openOn(0);
}

void Recordset::Close() {
    requireOpen(cursor_->open);
    cursor_->open = false;
    cursor_->base.clear();
    cursor_->order.clear();
    cursor_->sort.clear();
}

int32_t Recordset::get_State() const { return cursor_->open ? adStateOpen : adStateClosed; }

bool Recordset::get_EOF() const {
    requireOpen(cursor_->open);
    return cursor_->order.empty() || cursor_->position >= static_cast<int32_t>(cursor_->order.size());
}
bool Recordset::get_BOF() const {
    requireOpen(cursor_->open);
    return cursor_->order.empty() || cursor_->position < 0;
}

void Recordset::MoveFirst() {
    requireOpen(cursor_->open);
    if (cursor_->order.empty()) raise(err::BofOrEof);
    cursor_->position = 0;
}
void Recordset::MoveLast() {
    requireOpen(cursor_->open);
    if (cursor_->order.empty()) raise(err::BofOrEof);
    cursor_->position = static_cast<int32_t>(cursor_->order.size()) - 1;
}
void Recordset::MoveNext() {
    if (get_EOF()) raise(err::BofOrEof);
    ++cursor_->position;
}
void Recordset::MovePrevious() {
    if (get_BOF()) raise(err::BofOrEof);
    --cursor_->position;
}
void Recordset::Move(int32_t n) {
    requireOpen(cursor_->open);
    if (n == 0) {
        if (currentRow() < 0) raise(err::BofOrEof);
        return;
    }
    const int64_t target = static_cast<int64_t>(cursor_->position) + n;
    const int64_t size = static_cast<int64_t>(cursor_->order.size());
    if ((target < 0 && get_BOF()) || (target >= size && get_EOF())) raise(err::BofOrEof);
    cursor_->position = static_cast<int32_t>(std::clamp<int64_t>(target, -1, size));
}

int32_t Recordset::get_RecordCount() const {
    requireOpen(cursor_->open);
    return static_cast<int32_t>(cursor_->order.size());
}

int32_t Recordset::get_AbsolutePosition() const {
    requireOpen(cursor_->open);
    if (cursor_->order.empty()) return adPosUnknown;
    if (cursor_->position < 0) return adPosBOF;
    if (cursor_->position >= static_cast<int32_t>(cursor_->order.size())) return adPosEOF;
    return cursor_->position + 1;
}
void Recordset::put_AbsolutePosition(int32_t position) {
    requireOpen(cursor_->open);
    if (position < 1 || position > static_cast<int32_t>(cursor_->order.size())) raise(err::BadArguments);
    cursor_->position = position - 1;
}

int32_t Recordset::get_PageSize() const { return cursor_->pageSize; }
void Recordset::put_PageSize(int32_t size) {
    if (size < 1) raise(err::BadArguments);
    cursor_->pageSize = size;
}
int32_t Recordset::get_PageCount() const {
    requireOpen(cursor_->open);
    const int32_t n = static_cast<int32_t>(cursor_->order.size());
    return (n + cursor_->pageSize - 1) / cursor_->pageSize;
}
int32_t Recordset::get_AbsolutePage() const {
    const int32_t p = get_AbsolutePosition();
    if (p < 1) return p;
    return (p - 1) / cursor_->pageSize + 1;
}
void Recordset::put_AbsolutePage(int32_t page) {
    requireOpen(cursor_->open);
    if (page < 1 || page > get_PageCount()) raise(err::BadArguments);
    cursor_->position = (page - 1) * cursor_->pageSize;
}

std::string Recordset::get_Sort() const { return cursor_->sort; }

void Recordset::put_Sort(std::string spec) {
    requireOpen(cursor_->open);
    struct Key { int field; bool desc; };
    std::vector<Key> keys;
    size_t i = 0;
    while (i < spec.size()) {
        size_t comma = spec.find(',', i);
        std::string term = spec.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
        i = comma == std::string::npos ? spec.size() : comma + 1;
        std::string_view t = regional::trim(term);
        if (t.empty()) continue;
        bool desc = false;
        auto ends = [&](std::string_view word) {
            if (t.size() <= word.size()) return false;
            std::string tail = regional::toUpper(t.substr(t.size() - word.size()));
            return tail == word && t[t.size() - word.size() - 1] == ' ';
        };
        if (ends("DESC")) desc = true, t = regional::trim(t.substr(0, t.size() - 4));
        else if (ends("ASC")) t = regional::trim(t.substr(0, t.size() - 3));
        if (!t.empty() && t.front() == '[' && t.back() == ']') t = t.substr(1, t.size() - 2);
        const int f = fieldIndex(t);
        if (f < 0) raise(err::ItemNotFound);
        keys.push_back({f, desc});
    }
    cursor_->order = cursor_->base;
    if (!keys.empty()) {
        // Sort keys once per row: text by its regional key, numbers and dates by value, Nulls first.
        // The sort moves positions into base, so a comparison reads its cells by index.
        struct Cell { int rank; double number; std::string text; };
        const size_t n = cursor_->base.size();
        std::vector<std::vector<Cell>> cells(keys.size(), std::vector<Cell>(n));
        for (size_t k = 0; k < keys.size(); ++k) {
            for (size_t r = 0; r < n; ++r) {
                const Variant& v = data_->at(cursor_->base[r], keys[k].field);
                Cell& c = cells[k][r];
                if (v.isNull() || v.isEmpty() || v.isObject()) c = {0, 0, {}};
                else if (v.isText()) c = {2, 0, regional::sortKey(*v.get<std::string>())};
                else c = {1, v.toDouble(), {}};
            }
        }
        std::vector<int32_t> positions(n);
        for (size_t r = 0; r < n; ++r) positions[r] = static_cast<int32_t>(r);
        std::stable_sort(positions.begin(), positions.end(), [&](int32_t a, int32_t b) {
            for (size_t k = 0; k < keys.size(); ++k) {
                const Cell& x = cells[k][static_cast<size_t>(a)];
                const Cell& y = cells[k][static_cast<size_t>(b)];
                int c = x.rank != y.rank ? (x.rank < y.rank ? -1 : 1)
                        : x.rank == 1    ? (x.number < y.number ? -1 : x.number > y.number ? 1 : 0)
                        : x.rank == 2    ? x.text.compare(y.text)
                                         : 0;
                if (c != 0) return keys[k].desc ? c > 0 : c < 0;
            }
            return false;
        });
        for (size_t r = 0; r < n; ++r) cursor_->order[r] = cursor_->base[static_cast<size_t>(positions[r])];
    }
    cursor_->sort = std::move(spec);
    cursor_->position = 0;
}

void Recordset::AddNew() {
    requireOpen(cursor_->open);
    if (data_.use_count() > 1) {  // rows shared with views: write into a copy of our own
        data_ = std::make_shared<RecordsetData>(*data_);
    }
    const int32_t row = data_->rows();
    data_->values.resize(data_->values.size() + data_->fields.size());
    cursor_->base.push_back(row);
    cursor_->order.push_back(row);
    cursor_->position = static_cast<int32_t>(cursor_->order.size()) - 1;
    cursor_->adding = row;
}

void Recordset::Update() {
    requireOpen(cursor_->open);
    cursor_->adding = -1;
}

void Recordset::Delete() {
    const int32_t row = currentRow();
    if (row < 0) raise(err::BofOrEof);
    cursor_->order.erase(cursor_->order.begin() + cursor_->position);
    cursor_->base.erase(std::find(cursor_->base.begin(), cursor_->base.end(), row));
}

// Read straight from the rows: a walk over every value makes no Field object and no copy per value.
const Variant& Recordset::operator()(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= data_->fields.size()) raise(err::ItemNotFound);
    return currentValue(index);
}

const Variant& Recordset::operator()(std::string_view name) const {
    const int index = fieldIndex(name);
    if (index < 0) raise(err::ItemNotFound);
    return currentValue(index);
}

const Variant& Recordset::currentValue(int index) const {
    const int32_t dataRow = cursor_->dataRow();
    if (dataRow < 0) raise(err::BofOrEof);
    if (!data_->chapters.empty())
        if (auto chapter = data_->chapters.find(index); chapter != data_->chapters.end())
            return cursor_->chapterView = Variant(childRows(chapter->second, dataRow));
    return data_->at(dataRow, index);
}

Ref<Recordset> Recordset::childRows(const Chapter& chapter, int32_t dataRow) const {
    auto child = make<Recordset>();
    child->data_ = chapter.child;
    const std::string key =
        chaveDasColunas([&](int f) -> const Variant& { return data_->at(dataRow, f); }, chapter.parentKeys);
    if (!key.empty()) {
        auto rows = chapter.rowsByKey.find(key);
        if (rows != chapter.rowsByKey.end()) child->cursor_->base = rows->second;
    }
    child->cursor_->order = child->cursor_->base;
    child->cursor_->open = true;
    child->cursor_->position = 0;
    return child;
}

int Recordset::fieldCount() const { return static_cast<int>(data_->fields.size()); }
const FieldDef& Recordset::fieldDef(int index) const { return data_->fields.at(static_cast<size_t>(index)); }

int Recordset::fieldIndex(std::string_view name) const {
    const auto& fields = data_->fields;
    const auto named = [&](size_t i) {
        const std::string& f = fields[i].name;
        return f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
               });
    };
    int& last = cursor_->lastField;
    if (const size_t next = static_cast<size_t>(last + 1); next < fields.size() && named(next)) return ++last;
    for (size_t i = 0; i < fields.size(); ++i)
        if (named(i)) return last = static_cast<int>(i);
    return -1;
}

const Variant& Recordset::valueAt(int row, int field) const {
    return data_->at(cursor_->order.at(static_cast<size_t>(row)), field);
}

int Recordset::currentRow() const { return cursor_->dataRow() < 0 ? -1 : cursor_->position; }

}  // namespace zelt::ado
