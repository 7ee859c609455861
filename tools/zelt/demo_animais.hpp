#pragma once
// The animal register's part of zelt demo.
#include <string>
#include <utility>

#include "zelt/automation/object.hpp"

// Adds one more animal of the species and breed `raca` ("codigoDaEspecie", "codigoDaRaca") to the
// client through clsAnimais, then prints the client's animals as the animal search finds them and
// as one line. False (after printing why) when an operation did not return 0.
bool demonstrarAnimais(const zelt::Ref<zelt::Object>& usuario, double codigoDoCliente,
                       const std::pair<std::string, std::string>& raca);
