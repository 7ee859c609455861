#pragma once
// Recordset with a client-side cursor: all rows are held in memory, so a recordset disconnected
// from its connection (ActiveConnection = Nothing) keeps every row and property usable.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zelt/ado/types.hpp"
#include "zelt/automation/dispatch.hpp"

namespace zelt::ado {

class Connection;
class Recordset;
struct RecordsetData;  // the rows, shared by a recordset and the views it hands out
struct Chapter;        // the child rows a chapter field relates to its parent rows

class Field : public Dispatchable {
public:
    Field(Ref<Recordset> owner, int index);
    std::string get_Name() const;
    DataType get_Type() const;
    int32_t get_DefinedSize() const;
    int32_t get_Attributes() const;
    Variant get_Value() const;   // error 3021 at BOF/EOF; a chapter field gives the child Recordset
    void put_Value(Variant v);   // on the current row (or the row being added)
    const DispatchTable& table() const override;

private:
    Ref<Recordset> owner_;
    int index_;
};

class Fields : public Dispatchable {
public:
    explicit Fields(Recordset& owner) : owner_(owner) {}
    int32_t get_Count() const;
    Ref<Field> Item(int index) const;             // error 3265 when out of range
    Ref<Field> Item(std::string_view name) const; // case-insensitive; error 3265 when unknown
    Ref<Field> Item(const Variant& indexOrName) const;
    // Only while the recordset is closed (error 3705 otherwise).
    void Append(std::string name, DataType type, int32_t definedSize = 0,
                int32_t attributes = adFldUnspecified);
    const DispatchTable& table() const override;

    // The collection as a late-bound caller receives it (rs.Fields): a counted object of its own
    // that keeps the recordset alive, since the recordset's own collection lives inside it.
    static Ref<Fields> handOut(Recordset& owner);

private:
    Recordset& owner_;
    Ref<Recordset> keepAlive_;
};

class Recordset : public Dispatchable {
public:
    Recordset();
    ~Recordset() override;

    // Built by an engine from a selection's result; the recordset is open and on its first row.
    // `values` holds the rows one after another, fields.size() values each (a short last row is
    // completed with Empty); the recordset keeps them as its own store, without copying them.
    static Ref<Recordset> fromValues(std::vector<FieldDef> fields, std::vector<Variant> values);
    // The same from one vector per row (a short row is completed with Empty).
    static Ref<Recordset> fromRows(std::vector<FieldDef> fields, std::vector<std::vector<Variant>> rows);
    // A hierarchical recordset: parent's fields (its chapters included) plus a chapter field named
    // chapterName whose value, on each parent row, is the recordset of child rows (with their own
    // chapters) whose key columns equal the row's, pair by pair. The relation is built once, by a
    // hash of the child keys.
    using KeyPairs = std::vector<std::pair<std::string, std::string>>;  // parent's column, child's
    static Ref<Recordset> relate(Ref<Recordset> parent, Ref<Recordset> child, std::string_view parentKey,
                                 std::string_view childKey, std::string chapterName);
    // The same for recordsets nobody else holds (an engine's fresh results): their values move into
    // the result instead of being copied, and they are left without values.
    static Ref<Recordset> relateTakingRows(Ref<Recordset> parent, Ref<Recordset> child, const KeyPairs& keys,
                                           std::string chapterName);
    // Adds a field to a recordset nobody else holds, with its value on each row in their order.
    void appendComputedField(FieldDef field, std::vector<Variant> values);

    std::string get_Source() const;
    void put_Source(std::string text);
    Ref<Connection> get_ActiveConnection() const;
    void putref_ActiveConnection(Ref<Connection> connection);  // nullptr disconnects

    // With a Source and an active connection, runs it and takes its rows; without a Source, opens
    // the appended fields as an empty recordset that exists only in memory.
    void Open();
    void Close();
    int32_t get_State() const;

    bool get_EOF() const;
    bool get_BOF() const;
    void MoveFirst();  // error 3021 on an empty recordset
    void MoveLast();
    void MoveNext();   // error 3021 when already at EOF
    void MovePrevious();
    void Move(int32_t n);

    int32_t get_RecordCount() const;          // -1 when closed
    int32_t get_AbsolutePosition() const;     // 1-based, or adPosBOF / adPosEOF / adPosUnknown
    void put_AbsolutePosition(int32_t position);
    int32_t get_PageSize() const;             // default 10
    void put_PageSize(int32_t size);          // error 3001 when below 1
    int32_t get_PageCount() const;
    int32_t get_AbsolutePage() const;         // 1-based, or adPosBOF / adPosEOF / adPosUnknown
    void put_AbsolutePage(int32_t page);      // error 3001 outside 1..PageCount
    std::string get_Sort() const;
    void put_Sort(std::string spec);          // "A, B DESC": stable, regional text order; "" restores

    void AddNew();
    void Update();
    void Delete();

    Fields& get_Fields() { return fields_; }
    const Fields& get_Fields() const { return fields_; }
    // rs(0) / rs("Nome"): the field's Value on the current row, read in place. The reference lasts
    // until the rows change or, for a chapter field, until the next read of a chapter.
    const Variant& operator()(int index) const;
    const Variant& operator()(std::string_view name) const;

    // Direct reading for layers that walk every row.
    int fieldCount() const;
    const FieldDef& fieldDef(int index) const;
    int fieldIndex(std::string_view name) const;  // -1 when unknown
    const Variant& valueAt(int row, int field) const;  // row in current (sorted) order, 0-based
    int currentRow() const;                             // 0-based, or -1 at BOF / EOF

    const DispatchTable& table() const override;

private:
    friend class Field;
    friend class Fields;
    // The value of field `index` on the current row (a chapter gives its child rows): error 3021
    // at BOF or EOF. Hidden from other libraries, so that calls inside this one are direct.
    [[gnu::visibility("hidden")]] const Variant& currentValue(int index) const;
    // The child rows a chapter relates to the parent row `dataRow`, as a recordset of their own.
    [[gnu::visibility("hidden"), gnu::noinline]] Ref<Recordset> childRows(const Chapter& chapter, int32_t dataRow) const;
    static Ref<Recordset> relateRows(Recordset& parent, Recordset& child, const KeyPairs& keys,
                                     std::string chapterName, bool takeRows);
    std::shared_ptr<RecordsetData> data_;
    Fields fields_;
    Ref<Connection> connection_;
    std::string source_;
    // cursor, page size, sort order: the implementation's
    struct Cursor;
    std::unique_ptr<Cursor> cursor_;
};

}  // namespace zelt::ado
