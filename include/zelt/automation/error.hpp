#pragma once
// The run time's error object: what an operation's error handler captures.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zelt {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int32_t number, std::string description, int32_t helpContext = 0)
        : std::runtime_error(description), number_(number), description_(std::move(description)),
          helpContext_(helpContext) {}
    int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    int32_t helpContext() const noexcept { return helpContext_; }

private:
    int32_t number_;
    std::string description_;
    int32_t helpContext_;
};

// Numbers of the run time's own errors, as VB reports them.
namespace err {
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t OutOfMemory = 7;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t DivisionByZero = 11;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t ObjectRequired = 424;
inline constexpr int32_t ObjectVariableNotSet = 91;
inline constexpr int32_t CannotCreateObject = 429;
inline constexpr int32_t NoSuchMember = 438;      // "Object doesn't support this property or method"
inline constexpr int32_t WrongArgumentCount = 450; // "Wrong number of arguments or invalid property assignment"
inline constexpr int32_t ArgumentNotOptional = 449;
// The data provider's general failure (E_FAIL), and the help context Jet gives a refused deletion.
inline constexpr int32_t ProviderFailure = -2147467259;
inline constexpr int32_t ReferentialIntegrityHelpContext = 5003000;
inline constexpr int32_t NotEnoughMemory = -2147024882;
}  // namespace err

[[noreturn]] void throwError(int32_t number, std::string description, int32_t helpContext = 0);
// The run time's own (Portuguese, as a Brazilian installation shows them) description of a number.
std::string standardDescription(int32_t number);
[[noreturn]] void throwError(int32_t number);  // with the standard description
inline constexpr int32_t InvalidUseOfNull = 94;

}  // namespace zelt
