#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace hl {

// A value as the platform delivers it: Empty (never assigned), Null (no value), Boolean,
// 64-bit integer, double or UTF-8 text. Null propagates through arithmetic, text joins treat
// it as empty, and turning it into text or a number fails with PlatformError, as does any
// conversion of text that is not a number.
class Variant {
public:
    enum class Kind { Empty, Null, Boolean, Integer, Double, Text };

    Variant() = default;
    Variant(bool b) : v_(b) {}
    Variant(int i) : v_(static_cast<int64_t>(i)) {}
    Variant(int64_t i) : v_(i) {}
    Variant(double d) : v_(d) {}
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(const char* s) : v_(std::string(s)) {}
    static Variant Null();

    Kind kind() const;
    bool IsEmpty() const { return kind() == Kind::Empty; }
    bool IsNull() const { return kind() == Kind::Null; }
    bool IsText() const { return kind() == Kind::Text; }
    bool IsNumeric() const; // a number, a Boolean, or text that parses as a number

    // Text as a string variable would receive it: Empty gives "", Booleans "True"/"False",
    // doubles by NumberText with "." as separator. Null fails.
    std::string Text() const;
    // Trim(value) assigned to text: surrounding spaces removed; Null fails.
    std::string Trimmed() const;
    // Text with Null read as empty: what a join ("&") does with it.
    std::string JoinText() const;
    int64_t ToInt64() const; // rounds doubles half to even; fails on Null or non-numeric text
    int32_t ToInt32() const; // as ToInt64, failing outside the 32-bit range
    double ToDouble() const; // fails on Null or non-numeric text
    bool ToBool() const;     // "True"/"False" (any case) or a number; fails otherwise

    const std::string* TextPtr() const { return std::get_if<std::string>(&v_); }

private:
    struct NullTag {
        bool operator==(const NullTag&) const = default;
    };
    std::variant<std::monostate, NullTag, bool, int64_t, double, std::string> v_;
};

// Arithmetic with Null propagation; text operands are converted to numbers (or fail).
Variant Add(const Variant& a, const Variant& b);
Variant Subtract(const Variant& a, const Variant& b);
Variant Multiply(const Variant& a, const Variant& b);
Variant Divide(const Variant& a, const Variant& b);    // floating division
Variant IntDivide(const Variant& a, const Variant& b); // truncates toward zero
// Numeric equality: Null or Empty on either side is never equal to a number.
bool NumericEquals(const Variant& a, const Variant& b);

// Rounds half to even to a whole number.
double RoundHalfEven(double x);
// A double as the regional number format writes it: up to 15 significant digits, no trailing
// zeros, no digit grouping, the given decimal separator. 1536/1024 gives "1.5".
std::string NumberText(double x, std::string_view decimalSeparator = ".");
// The first n characters of a text (all of it when shorter).
std::string Left(std::string_view s, size_t n);
// Surrounding spaces removed (spaces only, as the platform's Trim does).
std::string TrimSpaces(std::string_view s);
// True for a text that the platform would accept as a number.
bool ParseNumber(std::string_view s, double& out);

} // namespace hl
