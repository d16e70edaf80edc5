// Captions as the window's widgets and menus show them.
#pragma once

#include "forms/text.h"

#include <QString>

#include <string_view>

namespace forms {

// A caption is shown verbatim: an '&' is a character, not an access-key mark.
inline QString literalCaption(std::string_view caption) { return qstring(caption).replace(u'&', QStringLiteral("&&")); }

}  // namespace forms
