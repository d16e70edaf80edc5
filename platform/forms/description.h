// The window-description model: a window record, its controls in stored order and
// an optional menu bar, as plain data. Positions and sizes are twips (1/1440 inch);
// the descriptions were laid out at 12 twips per pixel.
#pragma once

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

enum class Kind { CommandButton, Label, TextBox, OptionButton, Timer, Image, PictureBox, Line };

// "CommandButton", "Label", ...: for messages.
std::string_view kindName(Kind kind);

// Windowed controls are child windows drawn above everything painted on the
// window's own surface (labels, images, lines and printed text).
constexpr bool isWindowed(Kind kind)
{
    return kind == Kind::CommandButton || kind == Kind::TextBox || kind == Kind::OptionButton
        || kind == Kind::PictureBox;
}

struct Font {
    std::string_view face;
    int size = 0;            // points × 10000: 78000 is 7.8 pt
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    constexpr double points() const { return size / 10000.0; }
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
};

// A menu record: the bar's single entry (level 0) or one of its items (level 1).
struct MenuRow {
    std::string_view name;
    int index;
    std::string_view caption;
    int level = 1;
};

enum class BorderStyle { None = 0, Sizable = 2 };

struct WindowRow {
    std::string_view name;
    std::string_view caption;
    std::optional<Colour> backColor {};
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    BorderStyle borderStyle = BorderStyle::Sizable;
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
