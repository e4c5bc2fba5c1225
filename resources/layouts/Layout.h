#pragma once
// The window layouts as data: each window is one table that lists its controls in creation order,
// with kind, position, size and settings, the way a form designer would store them. A window's
// constructor hands its table to BuildLayout (app/LayoutBuilder.h), which makes the controls; the
// window then finds each control by its name.
#include <cstddef>

#include "framework/Colors.h"

enum class TLayoutKind : unsigned char {
    Image,        // TImage: a picture
    Label,        // TLabel: transparent text
    ImageButton,  // TV2TransparentButton: a four-frame glyph strip
    SpeedButton,  // TSpeedButton: flat, never focused, glyph left of the caption
    Edit,         // TEdit: single-line edit box
    RadioButton,  // TRadioButton: one group per parent
    CheckBox,     // TCheckBox
    ImagePanel,   // TImagePanel: a picture stretched over the panel, parent of other controls
};

// Settings that are either on or off.
using TLayoutFlags = unsigned;
constexpr TLayoutFlags lfAutoSize = 1u << 0;     // sized to its picture or text
constexpr TLayoutFlags lfTransparent = 1u << 1;  // picture: its transparent colour shows through
constexpr TLayoutFlags lfShowHint = 1u << 2;     // the hint is shown as a tooltip
constexpr TLayoutFlags lfPassword = 1u << 3;     // edit box: "*" for every character
constexpr TLayoutFlags lfStretch = 1u << 4;      // image panel: picture stretched over it
constexpr TLayoutFlags lfAlignClient = 1u << 5;  // fills its parent's client area
constexpr TLayoutFlags lfFlat = 1u << 6;         // speed button: flat
constexpr TLayoutFlags lfOpaque = 1u << 7;       // speed button: fills its background

// A font setting; a null name keeps the window's font.
struct TLayoutFont {
    const wchar_t* name;
    int height; // LOGFONT height: negative for the character height in pixels
    TColor color;
};

constexpr TLayoutFont kFormFont{nullptr, 0, clWindowText};

struct TLayoutItem {
    const wchar_t* name;
    TLayoutKind kind;
    const wchar_t* parent; // the name of the parent control; null: the window itself
    int left, top, width, height;
    const wchar_t* caption; // caption, or the text of an edit box
    const wchar_t* hint;    // tooltip, or for edit boxes a hidden text the window uses
    int picture;            // resource id of the picture or glyph strip; 0: none
    int numGlyphs;          // image buttons: frames in the strip
    int tabOrder;           // focusable controls; -1: not in the tab order
    TLayoutFont font;
    TLayoutFlags flags;
};

enum class TLayoutBorder : unsigned char { None, Sizeable };

struct TFormLayout {
    const wchar_t* caption;
    TLayoutBorder border;
    int clientWidth, clientHeight;
    TColor color;
    TLayoutFont font;
    const TLayoutItem* items;
    std::size_t count;
};
