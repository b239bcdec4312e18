#pragma once

#include <QString>
#include <string>

namespace hl {

// The core keeps its text in UTF-8 std::strings; this is the one way it reaches a widget.
inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace hl
