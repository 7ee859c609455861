#pragma once
#include "support/clientes.hpp"  // the client fixture, for the folders that include it by this name
