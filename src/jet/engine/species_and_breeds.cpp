#include "jet/engine/species_and_breeds.hpp"

namespace zelt::jet::engine {
namespace {

const SpeciesSeed seeds[] = {
    {"Canina",
     {"Sem Raça Definida", "Labrador Retriever", "Poodle", "Shih Tzu", "Yorkshire Terrier", "Golden Retriever",
      "Pinscher", "Bulldog Francês", "Spitz Alemão", "Dachshund", "Pastor Alemão", "Rottweiler", "Lhasa Apso",
      "Maltês", "Pug", "Beagle", "Border Collie", "Schnauzer", "Chihuahua", "Boxer", "Pit Bull", "Cocker Spaniel",
      "Husky Siberiano", "Bulldog Inglês", "Fila Brasileiro", "Dálmata", "Chow Chow", "Akita", "Doberman",
      "Pastor Belga", "Weimaraner", "Basset Hound", "Buldogue Campeiro"}},
    {"Felina",
     {"Sem Raça Definida", "Siamês", "Persa", "Maine Coon", "Angorá", "Sphynx", "Ragdoll", "British Shorthair",
      "Bengal", "Exótico", "Himalaio", "Azul Russo", "Sagrado da Birmânia", "Scottish Fold"}},
    {"Ave",
     {"Sem Raça Definida", "Calopsita", "Periquito Australiano", "Agapornis", "Canário", "Papagaio-verdadeiro",
      "Arara", "Cacatua", "Ring Neck", "Galinha", "Pato", "Codorna"}},
    {"Roedor",
     {"Sem Raça Definida", "Hamster Sírio", "Hamster Anão Russo", "Porquinho-da-índia", "Chinchila", "Gerbil",
      "Twister", "Rato", "Camundongo"}},
    {"Lagomorfa", {"Sem Raça Definida", "Mini Lop", "Fuzzy Lop", "Lionhead", "Mini Rex", "Nova Zelândia", "Holandês"}},
    {"Réptil",
     {"Sem Raça Definida", "Jabuti-piranga", "Jabuti-tinga", "Tigre-d'água", "Iguana", "Gecko Leopardo",
      "Pogona", "Jiboia", "Corn Snake"}},
    {"Equina",
     {"Sem Raça Definida", "Mangalarga Marchador", "Quarto de Milha", "Crioulo", "Puro-Sangue Árabe",
      "Puro-Sangue Inglês", "Campolina", "Pônei", "Muar", "Asinino"}},
    {"Bovina", {"Sem Raça Definida", "Nelore", "Gir", "Girolando", "Holandesa", "Jersey", "Angus", "Brahman", "Guzerá"}},
    {"Ovina", {"Sem Raça Definida", "Santa Inês", "Dorper", "Morada Nova", "Texel"}},
    {"Caprina", {"Sem Raça Definida", "Boer", "Saanen", "Anglo-Nubiana", "Moxotó"}},
    {"Suína", {"Sem Raça Definida", "Mini Pig", "Landrace", "Large White", "Duroc"}},
    {"Peixe", {"Sem Raça Definida", "Betta", "Kinguio", "Carpa", "Guppy", "Tetra Neon", "Acará-disco"}},
    {"Outra", {"Sem Raça Definida"}},
};

}  // namespace

std::span<const SpeciesSeed> speciesSeeds() { return seeds; }

}  // namespace zelt::jet::engine
