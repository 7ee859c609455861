#pragma once
// The animals of a caller's grid (Rows, Row, TextMatrix), one insertion per data row.
#include <functional>
#include <string>

#include "zelt/automation/object.hpp"

namespace zelt::clientanim::grade {

// Rows − 1 as a 16-bit integer: row 0 is the heading.
int16_t ultimaLinha(Object& grade);

struct Carimbo {
    double codigoDoCliente = 0;
    std::string dataHora, usuario;
};

// Makes `linha` the grid's current row and builds the animal's insertion from its cells; the
// texts pass through `tratar`. Species, breed and status are the cells' text, unquoted and
// unchanged: the database reads them, and refuses the statement when one is no value.
std::string insercaoDoAnimal(Object& grade, int16_t linha, const Carimbo& carimbo,
                             const std::function<std::string(const std::string&)>& tratar);

}  // namespace zelt::clientanim::grade
