#pragma once
// The species and breeds that Brazilian clinics see most, the seed of EspeciesDeAnimais and
// RacasDeAnimais. Every species has "Sem Raça Definida" first.
#include <initializer_list>
#include <span>

namespace zelt::jet::engine {

struct SpeciesSeed {
    const char* nome;
    std::initializer_list<const char*> racas;
};

std::span<const SpeciesSeed> speciesSeeds();

}  // namespace zelt::jet::engine
