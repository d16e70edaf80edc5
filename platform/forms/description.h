// The window-description model: a window record, its controls in stored order and
// an optional menu bar, as plain data. Positions and sizes are twips (1/1440 inch);
// the descriptions were laid out at 12 twips per pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

using Twips = int;

// 0x00BBGGRR for a direct colour, 0x800000nn for the desktop's colour number nn.
using Colour = std::uint32_t;

inline constexpr Twips twipsPerPixel = 12;

// Every kind of control, one row each: the kind, whether it is a child window
// (Windowed: drawn above everything painted on the window's own surface), drawn
// on the surface itself (Painted: labels, images, lines and printed text) or not
// drawn at all (Unseen), and what its row must give besides the common fields.
// A kind is this row and its file in platform/src/controls/.
#define FORMS_KINDS(X)                  \
    X(CommandButton, Windowed, Nothing) \
    X(Label, Painted, Nothing)          \
    X(TextBox, Windowed, Nothing)       \
    X(OptionButton, Windowed, Nothing)  \
    X(Timer, Unseen, Interval)          \
    X(Image, Painted, Picture)          \
    X(PictureBox, Windowed, Picture)    \
    X(Line, Painted, Nothing)

enum class Kind {
#define FORMS_KIND_ENUMERATOR(kind, placement, needs) kind,
    FORMS_KINDS(FORMS_KIND_ENUMERATOR)
#undef FORMS_KIND_ENUMERATOR
};

enum class Placement { Windowed, Painted, Unseen };
// What a row of the kind must give: a picture with its description, or an interval.
enum class Needs { Nothing, Picture, Interval };

struct KindTraits {
    std::string_view name;  // "CommandButton", "Label", ...: for messages
    Placement placement;
    Needs needs;
};

inline constexpr KindTraits kindTraits[] = {
#define FORMS_KIND_TRAITS(kind, placement, needs) { #kind, Placement::placement, Needs::needs },
    FORMS_KINDS(FORMS_KIND_TRAITS)
#undef FORMS_KIND_TRAITS
};

constexpr const KindTraits& traitsOf(Kind kind) { return kindTraits[static_cast<std::size_t>(kind)]; }
constexpr std::string_view kindName(Kind kind) { return traitsOf(kind).name; }
constexpr bool isWindowed(Kind kind) { return traitsOf(kind).placement == Placement::Windowed; }

struct Font {
    std::string_view face;
    int size = 0;            // points × 10000: 78000 is 7.8 pt
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    constexpr double points() const { return size / 10000.0; }
    bool operator==(const Font&) const = default;
};

// One row of a window's control table. Fields a row leaves out take the
// values a description does not give: visible, enabled, empty text,
// no stretch, the standard colours and font.
struct ControlRow {
    Kind kind;
    std::string_view name;        // exact letters and case; may mix Greek and Latin
    int index;                    // creation index, unique within the window (the window is 0)
    std::string_view caption {};  // Caption, or Text of a TextBox
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    std::optional<Colour> backColor {};
    bool visible = true;
    bool enabled = true;
    std::optional<int> tabIndex {};
    std::optional<Font> font {};
    std::string_view picture {};  // resource path of a 24-bit bitmap
    std::string_view description {};  // what a picture shows, for screen readers
    bool stretch = false;
    int interval = 0;             // Timer, in milliseconds
    Twips x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line end points

    bool operator==(const ControlRow&) const = default;
};

// A menu record: the bar's single entry (level 0) or one of its items (level 1).
struct MenuRow {
    std::string_view name;
    int index;
    std::string_view caption;
    int level = 1;

    bool operator==(const MenuRow&) const = default;
};

enum class BorderStyle { None = 0, Sizable = 2 };

struct WindowRow {
    std::string_view name;
    std::string_view caption;
    std::optional<Colour> backColor {};
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    BorderStyle borderStyle = BorderStyle::Sizable;

    bool operator==(const WindowRow&) const = default;
};

struct Description {
    WindowRow window;
    std::vector<ControlRow> controls;  // stored order
    std::vector<MenuRow> menus {};     // stored order

    // For writing a sibling build as its base plus differences. A name that is
    // not in the table is a fault in the program and stops it at once.
    ControlRow& control(std::string_view name);
    const ControlRow& control(std::string_view name) const;
    // Moves the named control to stand just before another in stored order.
    void moveBefore(std::string_view name, std::string_view before);

    bool operator==(const Description&) const = default;
};

// What is wrong with a description, one line per fault; empty when it is sound:
// names and creation indices unique, TabIndex values distinct and running from 0,
// pictures given where a kind needs one, each with a description, timers with an interval.
std::vector<std::string> problems(const Description& description);

// A description with problems is a fault in the program: each is written to
// stderr and the program stops at once, before any window is built.
void stopOnProblems(const Description& description);

constexpr int toPixels(Twips twips)
{
    // Round to nearest; every description value is a whole number of pixels anyway.
    return twips >= 0 ? (twips + twipsPerPixel / 2) / twipsPerPixel
                      : -((-twips + twipsPerPixel / 2) / twipsPerPixel);
}

}  // namespace forms
