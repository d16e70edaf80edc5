// How description fonts look on the screen, and which of them the system lacks.
#pragma once

#include "forms/description.h"

#include <QFont>

#include <optional>

namespace forms {

// A description font, or the standard one (DejaVu Sans 8 pt) when none is given,
// sized as on the 120-dpi screen the descriptions were laid out on:
// points × 120 / 72 logical pixels.
QFont resolveFont(const std::optional<Font>& font);

// Writes one line to stderr for each face the description names, and for the
// standard face, that the system does not have; each face once per process.
void warnMissingFaces(const Description& description);

}  // namespace forms
