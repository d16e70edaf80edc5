// The descriptions' texts, UTF-8 string views, as Qt strings.
#pragma once

#include <QString>

#include <string_view>

namespace forms {

inline QString qstring(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace forms
