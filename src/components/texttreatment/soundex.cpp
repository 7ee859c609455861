// MontarSoundex: the phonetic key stored beside a client's names, so that spellings of the same
// Brazilian Portuguese name meet (Luiz / Luis / Luís, Thiago / Tiago, Sousa / Souza).
//
// Folding (palavras.cpp): case and diacritics never matter (Á -> a, ü -> u); ç -> "ss"; ß -> ss,
// æ -> ae, ø -> o and the like; apostrophes join (D'Ávila -> davila); any other non-letter, digits
// included, separates words; letters of other scripts are dropped.
//
// Words: each word gets its own key; the keys are joined by one space. The connecting particles
// "de", "da", "do", "das", "dos" and "e" are left out, unless the name holds nothing else.
//
// Coding of a word, left to right, each rule looking at the letters around it:
//   y -> i (Ygor / Igor)              w -> v (Walter / Valter)
//   ph -> f (Phelipe / Felipe)        th -> t (Thiago / Tiago)
//   ch, sh, sch, x -> x (Chavier / Xavier / Shirley)
//   lh -> li (Coelho / Coelio)        nh -> ni (Antonho / Antonio)
//   h otherwise silent (Henrique / Enrique, Sarah / Sara)
//   c before e, i -> s (Celso / Selso); sc before e, i -> s (Nascimento / Nacimento)
//   c otherwise, k, q, qu -> k (Cátia / Kátia, Raquel / Rakel)
//   g before e, i -> j (Geferson / Jeferson); gu before e, i -> g (Guilherme: a hard g, so it
//     stays apart from "Gilherme", which reads with a soft g; Gilberto meets Jilberto instead)
//   s between vowels -> z (Sousa / Souza, Teresa / Tereza); ss -> s (Cássia, not "Cázia")
//   z at the end or before a consonant -> s (Luiz / Luis, Muniz / Munis)
//   m, n not before a vowel -> n, the nasal sound (Jardim / Jardin, Campos / Canpos)
//   then every run of one repeated sound is one (Mattos / Matos, Anna / Ana, Jefferson / Jeferson).
// Vowels are kept as written (Maria and Mario differ). The key is upper case.
#include <cctype>
#include <string>

#include "components/texttreatment/palavras.hpp"
#include "zelt/components/texttreatment.hpp"

namespace zelt::texttreatment {

namespace {
// The key columns are as wide as the name columns.
constexpr size_t KeyWidth = 100;

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool isFront(char c) { return c == 'e' || c == 'i'; }

bool isParticle(const std::string& w) {
    return w == "de" || w == "da" || w == "do" || w == "das" || w == "dos" || w == "e";
}

std::string codeWord(std::string w) {
    for (char& c : w) {
        if (c == 'y') c = 'i';
        else if (c == 'w') c = 'v';
    }
    auto at = [&](size_t i) { return i < w.size() ? w[i] : '\0'; };
    std::string sounds;
    for (size_t i = 0; i < w.size(); ++i) {
        const char c = w[i], next = at(i + 1), after = at(i + 2);
        const char previous = i > 0 ? w[i - 1] : '\0';
        switch (c) {
            case 'h': break;
            case 'p': if (next == 'h') { sounds += 'f'; ++i; } else sounds += 'p'; break;
            case 't': if (next == 'h') ++i; sounds += 't'; break;
            case 'l': if (next == 'h') { sounds += "li"; ++i; } else sounds += 'l'; break;
            case 'n':
                if (next == 'h') { sounds += "ni"; ++i; } else sounds += 'n';
                break;
            case 'm': sounds += isVowel(next) ? 'm' : 'n'; break;
            case 'c':
                if (next == 'h') { sounds += 'x'; ++i; }
                else sounds += isFront(next) ? 's' : 'k';
                break;
            case 'q': if (next == 'u') ++i; sounds += 'k'; break;
            case 'g':
                if (next == 'u' && isFront(after)) { sounds += 'g'; ++i; }
                else sounds += isFront(next) ? 'j' : 'g';
                break;
            case 's':
                if (next == 'c' && after == 'h') { sounds += 'x'; i += 2; }
                else if (next == 'h') { sounds += 'x'; ++i; }
                else if (next == 's') { sounds += 's'; ++i; }
                else if (next == 'c' && isFront(after)) { sounds += 's'; ++i; }
                else sounds += isVowel(previous) && isVowel(next) ? 'z' : 's';
                break;
            case 'z': sounds += isVowel(next) ? 'z' : 's'; break;
            default: sounds += c; break;  // vowels, b d f j k r v x
        }
    }
    std::string key;
    for (char s : sounds) {
        const char sound = static_cast<char>(std::toupper(static_cast<unsigned char>(s)));
        if (key.empty() || key.back() != sound) key += sound;
    }
    return key;
}
}  // namespace

std::string montarSoundex(std::string_view text) {
    try {
        std::vector<std::string> words = foldedWords(text);
        bool onlyParticles = true;
        for (const auto& w : words) onlyParticles = onlyParticles && isParticle(w);
        std::string key;
        for (auto& w : words) {
            if (!onlyParticles && isParticle(w)) continue;
            std::string code = codeWord(std::move(w));
            if (code.empty()) continue;  // a word of silent letters ("h") has no sound to key
            const size_t needed = code.size() + (key.empty() ? 0 : 1);
            if (key.size() + needed > KeyWidth) break;
            if (!key.empty()) key += ' ';
            key += code;
        }
        return key;
    } catch (...) {
        // Only an exhausted memory gets here; a name without a key is still stored.
        return {};
    }
}

}  // namespace zelt::texttreatment
