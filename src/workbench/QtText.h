// Texts between the core (UTF-8 std::string) and Qt (QString).
#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace quillon {

inline QString ToQ(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToStd(const QString& text) { return text.toStdString(); }

}  // namespace quillon
