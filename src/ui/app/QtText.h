#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace domora {

// Core's UTF-8 texts to Qt's and back, at the edge of the widgets.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ss(const QString& text) {
    return text.toStdString();
}

} // namespace domora
