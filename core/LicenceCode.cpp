#include "LicenceCode.h"

#include <algorithm>
#include <array>

namespace hl {

namespace {
constexpr size_t kBufferSize = 164;
constexpr size_t kKeyOffset = 52;
constexpr size_t kKeyBytes = 15;
constexpr int kKeyCharacters = 25;
// No vowels and none of 0, 1, 5, L, N, S, Z: nothing in a key can be misread.
constexpr char kAlphabet[] = "BCDFGHJKMPQRTVWXY2346789";
} // namespace

std::string DecodeProductKey(const std::vector<uint8_t>& id) {
    if (id.size() > kBufferSize) return {};
    std::array<uint8_t, kBufferSize> buffer{};
    std::copy(id.begin(), id.end(), buffer.begin());
    std::array<uint8_t, kKeyBytes> number{};
    std::copy_n(buffer.begin() + kKeyOffset, kKeyBytes, number.begin());

    std::string key;
    for (int i = kKeyCharacters - 1; i >= 0; --i) {
        unsigned r = 0;
        for (int j = kKeyBytes - 1; j >= 0; --j) {
            r = r * 256 + number[j];
            number[j] = static_cast<uint8_t>(r / 24);
            r %= 24;
        }
        key.insert(key.begin(), kAlphabet[r]);
        if (i % 5 == 0 && i != 0) key.insert(key.begin(), '-');
    }
    return key;
}

std::string DecodeProductKey(DataSource& source) {
    std::optional<std::vector<uint8_t>> id = source.RegReadBinary(kProductIdKey, kProductIdValue);
    return id ? DecodeProductKey(*id) : std::string();
}

} // namespace hl
