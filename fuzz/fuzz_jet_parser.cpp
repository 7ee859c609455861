// Any text given to the translator either translates or raises the run-time error; nothing else
// escapes, and nothing crashes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "zelt/automation/error.hpp"
#include "zelt/jet/translator.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        zelt::jet::translate(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const zelt::RuntimeError&) {
    }
    return 0;
}
