#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

namespace hl {

// Arithmetic on figures a machine reports: a result the type cannot hold is no result (shown
// "Unknown"), never a wrapped or negative number.
template <class T> std::optional<T> CheckedAdd(T a, std::type_identity_t<T> b) {
    T r{};
    if (__builtin_add_overflow(a, b, &r)) return std::nullopt;
    return r;
}

template <class T> std::optional<T> CheckedSub(T a, std::type_identity_t<T> b) {
    T r{};
    if (__builtin_sub_overflow(a, b, &r)) return std::nullopt;
    return r;
}

template <class T> std::optional<T> CheckedMul(T a, std::type_identity_t<T> b) {
    T r{};
    if (__builtin_mul_overflow(a, b, &r)) return std::nullopt;
    return r;
}

// A count or size that may not be negative: out of range or below zero is no result.
inline std::optional<int64_t> NonNegative(std::optional<int64_t> v) {
    if (v && *v < 0) return std::nullopt;
    return v;
}

} // namespace hl
