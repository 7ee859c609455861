// Folding a name into plain words before its phonetic coding.
#include "components/texttreatment/palavras.hpp"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace zelt::texttreatment {

namespace {
constexpr UChar32 CombiningCedilla = 0x0327;

// Latin letters that no compatibility decomposition takes to a base letter.
const char* latinWithoutDecomposition(UChar32 lower) {
    switch (lower) {
        case 0x00DF: return "ss";  // ß
        case 0x00E6: return "ae";  // æ
        case 0x0153: return "oe";  // œ
        case 0x00F8: return "o";   // ø
        case 0x0111: return "d";   // đ
        case 0x00F0: return "d";   // ð
        case 0x0142: return "l";   // ł
        case 0x00FE: return "th";  // þ
        case 0x0131: return "i";   // dotless ı
        default: return nullptr;
    }
}

// Apostrophes belong to the word (D'Ávila, Sant'Anna): they go without splitting it.
bool isApostrophe(UChar32 c) {
    return c == 0x27 || c == 0x2019 || c == 0x2018 || c == 0x02BC || c == 0x60 || c == 0xB4;
}

bool isMark(UChar32 c) {
    const int8_t type = u_charType(c);
    return type == U_NON_SPACING_MARK || type == U_COMBINING_SPACING_MARK || type == U_ENCLOSING_MARK;
}
}  // namespace

std::vector<std::string> foldedWords(std::string_view text) {
    // Invalid UTF-8 arrives as U+FFFD, which separates words like any other non-letter.
    icu::UnicodeString source = icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    // Compatibility decomposition: "é" is "e" + acute, "ç" is "c" + cedilla, "ﬁ" is "fi", "Ａ" is "A".
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfkd = icu::Normalizer2::getNFKDInstance(status);
    icu::UnicodeString decomposed;
    if (U_SUCCESS(status)) decomposed = nfkd->normalize(source, status);
    if (U_FAILURE(status)) decomposed = source;

    std::vector<std::string> words;
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (int32_t i = 0; i < decomposed.length(); i = decomposed.moveIndex32(i, 1)) {
        const UChar32 c = decomposed.char32At(i);
        const UChar32 lower = u_tolower(c);
        if (lower >= 'a' && lower <= 'z') {
            word += static_cast<char>(lower);
        } else if (c == CombiningCedilla && !word.empty() && word.back() == 'c') {
            // ç sounds [s] before any vowel; "ss" keeps it voiceless between vowels (Graça, Conceição).
            word.back() = 's';
            word += 's';
        } else if (const char* base = latinWithoutDecomposition(lower)) {
            word += base;
        } else if (isMark(c) || isApostrophe(c) || u_isalpha(c)) {
            // Marks and apostrophes stay inside the word; letters of other scripts have no key.
        } else {
            endWord();
        }
    }
    endWord();
    return words;
}

}  // namespace zelt::texttreatment
