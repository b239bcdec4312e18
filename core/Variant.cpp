#include "Variant.h"

#include "PlatformError.h"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace hl {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw PlatformError(what);
}

bool IsIntegral(double d) {
    return std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18;
}

// Result of arithmetic: an integer while both operands were integers and nothing overflowed.
Variant Numeric(double d, bool integral) {
    if (integral && IsIntegral(d)) return Variant(static_cast<int64_t>(d));
    return Variant(d);
}

bool IsIntegerKind(const Variant& v) {
    return v.kind() == Variant::Kind::Integer || v.kind() == Variant::Kind::Boolean ||
           v.kind() == Variant::Kind::Empty;
}

template <class IntOp, class RealOp>
Variant Arith(const Variant& a, const Variant& b, IntOp intOp, RealOp realOp) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    if (IsIntegerKind(a) && IsIntegerKind(b)) {
        int64_t r = 0;
        if (!intOp(a.ToInt64(), b.ToInt64(), &r)) return Variant(r);
    }
    return Numeric(realOp(a.ToDouble(), b.ToDouble()), false);
}

} // namespace

Variant Variant::Null() {
    Variant v;
    v.v_ = NullTag{};
    return v;
}

Variant::Kind Variant::kind() const {
    return static_cast<Kind>(v_.index());
}

bool ParseNumber(std::string_view s, double& out) {
    std::string t = TrimSpaces(s);
    if (t.empty()) return false;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
        char* end = nullptr;
        errno = 0;
        unsigned long long v = std::strtoull(t.c_str() + 2, &end, 16);
        if (errno || *end) return false;
        out = static_cast<double>(v);
        return true;
    }
    for (char c : t)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(t.c_str(), &end);
    if (end == t.c_str() || *end || errno == ERANGE || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool Variant::IsNumeric() const {
    switch (kind()) {
    case Kind::Boolean:
    case Kind::Integer:
    case Kind::Double:
    case Kind::Empty: return true;
    case Kind::Text: {
        double d;
        return ParseNumber(std::get<std::string>(v_), d);
    }
    default: return false;
    }
}

std::string Variant::Text() const {
    switch (kind()) {
    case Kind::Empty: return {};
    case Kind::Null: Fail("invalid use of Null");
    case Kind::Boolean: return std::get<bool>(v_) ? "True" : "False";
    case Kind::Integer: return std::to_string(std::get<int64_t>(v_));
    case Kind::Double: return NumberText(std::get<double>(v_));
    case Kind::Text: return std::get<std::string>(v_);
    }
    Fail("invalid variant");
}

std::string Variant::Trimmed() const {
    return TrimSpaces(Text());
}

std::string Variant::JoinText() const {
    return IsNull() ? std::string() : Text();
}

double Variant::ToDouble() const {
    switch (kind()) {
    case Kind::Empty: return 0;
    case Kind::Null: Fail("invalid use of Null");
    case Kind::Boolean: return std::get<bool>(v_) ? -1 : 0;
    case Kind::Integer: return static_cast<double>(std::get<int64_t>(v_));
    case Kind::Double: return std::get<double>(v_);
    case Kind::Text: {
        double d;
        if (!ParseNumber(std::get<std::string>(v_), d)) Fail("type mismatch");
        return d;
    }
    }
    Fail("invalid variant");
}

int64_t Variant::ToInt64() const {
    if (kind() == Kind::Integer) return std::get<int64_t>(v_);
    double d = RoundHalfEven(ToDouble());
    if (!(std::fabs(d) < 9.2e18)) Fail("overflow");
    return static_cast<int64_t>(d);
}

int32_t Variant::ToInt32() const {
    int64_t v = ToInt64();
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        Fail("overflow");
    return static_cast<int32_t>(v);
}

bool Variant::ToBool() const {
    if (kind() == Kind::Boolean) return std::get<bool>(v_);
    if (kind() == Kind::Text) {
        std::string t = TrimSpaces(std::get<std::string>(v_));
        std::string lower;
        for (char c : t)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "true") return true;
        if (lower == "false") return false;
    }
    return ToDouble() != 0;
}

Variant Add(const Variant& a, const Variant& b) {
    return Arith(
        a, b, [](int64_t x, int64_t y, int64_t* r) { return __builtin_add_overflow(x, y, r); },
        [](double x, double y) { return x + y; });
}

Variant Subtract(const Variant& a, const Variant& b) {
    return Arith(
        a, b, [](int64_t x, int64_t y, int64_t* r) { return __builtin_sub_overflow(x, y, r); },
        [](double x, double y) { return x - y; });
}

Variant Multiply(const Variant& a, const Variant& b) {
    return Arith(
        a, b, [](int64_t x, int64_t y, int64_t* r) { return __builtin_mul_overflow(x, y, r); },
        [](double x, double y) { return x * y; });
}

Variant Divide(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    double y = b.ToDouble();
    if (y == 0) Fail("division by zero");
    return Variant(a.ToDouble() / y);
}

Variant IntDivide(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return Variant::Null();
    int64_t y = b.ToInt64();
    if (y == 0) Fail("division by zero");
    return Variant(a.ToInt64() / y);
}

bool NumericEquals(const Variant& a, const Variant& b) {
    if (a.IsNull() || b.IsNull()) return false;
    if (!a.IsNumeric() || !b.IsNumeric()) return a.JoinText() == b.JoinText();
    if (a.IsEmpty() != b.IsEmpty() && (a.IsText() || b.IsText())) return false;
    if (a.IsText() && a.TextPtr()->empty()) return false;
    if (b.IsText() && b.TextPtr()->empty()) return false;
    return a.ToDouble() == b.ToDouble();
}

double RoundHalfEven(double x) {
    int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(x);
    std::fesetround(mode);
    return r;
}

std::string NumberText(double x, std::string_view decimalSeparator) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", x);
    std::string s = buf;
    if (s == "-0") s = "0";
    std::string out;
    for (char c : s) {
        if (c == '.')
            out += decimalSeparator;
        else
            out += c;
    }
    return out;
}

std::string Left(std::string_view s, size_t n) {
    return std::string(s.substr(0, n));
}

std::string TrimSpaces(std::string_view s) {
    size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(' ');
    return std::string(s.substr(b, e - b + 1));
}

} // namespace hl
