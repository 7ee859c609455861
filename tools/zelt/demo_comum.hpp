#pragma once
// What the parts of zelt demo share: reporting an operation that did not return 0, and reading a
// field for display.
#include <string>
#include <string_view>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/object.hpp"

// Prints to stderr what `oQue` returned, with the object's failure text, error text and location.
void relatarFalha(zelt::Object& obj, std::string_view oQue, const zelt::Variant& resultado);

// The field's value as text for a person: a Null is empty, blanks around it are dropped.
std::string campo(const zelt::ado::Recordset& rs, const char* nome);
