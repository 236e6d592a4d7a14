// Text from the model (UTF-8) as the widgets take it.
#pragma once

#include <QString>

#include <string>

namespace brindle {

inline QString q(const std::string& text) { return QString::fromStdString(text); }
inline QString q(const char* text) { return QString::fromUtf8(text); }

} // namespace brindle
