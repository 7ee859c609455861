#pragma once
#include <cstdint>
#include <string>

namespace zelt::ado {

// ADO DataTypeEnum values.
enum DataType : int32_t {
    adEmpty = 0, adSmallInt = 2, adInteger = 3, adDouble = 5, adCurrency = 6, adDate = 7,
    adBoolean = 11, adVariant = 12, adUnsignedTinyInt = 17, adBigInt = 20, adChapter = 136,
    adVarWChar = 202, adLongVarWChar = 203,
};

// ObjectStateEnum.
enum ObjectState : int32_t { adStateClosed = 0, adStateOpen = 1 };

// FieldAttributeEnum bits that our fields use.
enum FieldAttribute : int32_t {
    adFldUnspecified = -1, adFldMayBeNull = 0x40, adFldIsNullable = 0x20, adFldUpdatable = 0x4,
    adFldLong = 0x80, adFldFixed = 0x10, adFldKeyColumn = 0x8000, adFldIsChapter = 0x2000,
};

// PositionEnum values that AbsolutePosition / AbsolutePage report when there is no current row.
enum Position : int32_t { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

struct FieldDef {
    std::string name;
    DataType type = adVarWChar;
    int32_t definedSize = 0;
    int32_t attributes = adFldMayBeNull | adFldIsNullable;
};

const char* typeName(DataType t);  // "adInteger", ...

// ADO's own errors, with the numbers and descriptions a caller of ADO sees.
namespace err {
// "Either BOF or EOF is True, or the current record has been deleted. ..."
inline constexpr int32_t BofOrEof = 3021;
// "Item cannot be found in the collection corresponding to the requested name or ordinal."
inline constexpr int32_t ItemNotFound = 3265;
// "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."
inline constexpr int32_t BadArguments = 3001;
// "Operation is not allowed when the object is closed."
inline constexpr int32_t ObjectClosed = 3704;
// "Operation is not allowed when the object is open."
inline constexpr int32_t ObjectOpen = 3705;
// "Operation is not allowed in this context."
inline constexpr int32_t NotAllowedInContext = 3219;
// "The connection cannot be used to perform this operation. It is either closed or invalid in this context."
inline constexpr int32_t ConnectionInvalid = 3709;
}  // namespace err

}  // namespace zelt::ado
