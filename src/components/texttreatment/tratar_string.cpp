// TratarString: what every text property stores, later written between single quotes into Jet SQL
// with no escaping by the caller. A single quote is the only character that can end such a literal,
// so it never leaves here; the Jet parser takes everything else inside the quotes as data.
#include "components/texttreatment/utf8.hpp"
#include "zelt/components/texttreatment.hpp"

namespace zelt::texttreatment {

namespace {
constexpr UChar32 Apostrophe = 0x27;
constexpr UChar32 TypographicApostrophe = 0x2019;
constexpr UChar32 CarriageReturn = 0x0D;
constexpr UChar32 LineFeed = 0x0A;

// C0, DEL and C1: nothing a form should store, and NUL would cut the text short in SQLite and C.
bool isControl(UChar32 c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
}  // namespace

std::string tratarString(std::string_view text, bool multiline) {
    std::string out;
    out.reserve(text.size());
    // A CR just written as CR LF, so that the LF of a CR LF pair is not doubled; removed characters
    // in between are as if they were not there.
    bool afterCarriageReturn = false;
    forEachCodePoint(text, [&](UChar32 c) {
        if (multiline && (c == CarriageReturn || c == LineFeed)) {
            if (!(c == LineFeed && afterCarriageReturn)) out += "\r\n";
            afterCarriageReturn = c == CarriageReturn;
            return;
        }
        if (c >= 0 && isControl(c)) return;
        afterCarriageReturn = false;
        if (c < 0) c = ReplacementCharacter;
        else if (c == Apostrophe) c = TypographicApostrophe;
        appendCodePoint(out, c);
    });
    return out;
}

}  // namespace zelt::texttreatment
