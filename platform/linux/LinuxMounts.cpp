#include "LinuxMounts.h"

#include "LinuxFiles.h"

namespace hl {

std::string UnescapeMountPath(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            std::string_view digits = s.substr(i + 1, 3);
            bool octal = digits.size() == 3;
            for (char c : digits)
                octal = octal && c >= '0' && c <= '7';
            if (octal) {
                int v = (digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0');
                if (v < 256) {
                    out += static_cast<char>(v);
                    i += 3;
                    continue;
                }
            }
        }
        out += s[i];
    }
    return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitWhite(line);
        // id parent major:minor root mount-point options [optional fields...] - type source ...
        size_t dash = 6;
        while (dash < f.size() && f[dash] != "-")
            ++dash;
        if (f.size() < 5 || dash + 2 >= f.size()) continue;
        MountEntry m;
        m.id = IntOr(f[0], 0);
        size_t colon = f[2].find(':');
        uint64_t major = 0, minor = 0;
        if (colon == std::string_view::npos || !ParseDecimal(f[2].substr(0, colon), major) ||
            !ParseDecimal(f[2].substr(colon + 1), minor) || major > 0xfffff || minor > 0xfffff)
            continue;
        m.major = static_cast<unsigned>(major);
        m.minor = static_cast<unsigned>(minor);
        m.root = UnescapeMountPath(f[3]);
        m.mountPoint = UnescapeMountPath(f[4]);
        m.fsType = std::string(f[dash + 1]);
        m.source = UnescapeMountPath(f[dash + 2]);
        mounts.push_back(std::move(m));
    }
    return mounts;
}

} // namespace hl
