#pragma once
// One table per window: every control with its kind, id, place, font, text and
// tooltip. It is the only place a control's id is defined; the Win32 window
// creates its children by walking it, and tests find controls through it.
#include <cstdint>
#include <span>
#include <string_view>

#include "base/geometry.h"

namespace tarvex::ui {

enum class Kind : std::uint8_t {
  Label,        // static text
  Link,         // static text that takes clicks (underlined font, own cursor)
  Button,       // the XP button
  TextBox,      // single- or multi-line edit
  CheckBox,
  Frame,        // group box; children name it as their parent
  ListBox,
  ListView,     // report-style list
  ProgressBar,
  StatusBar,
  Picture,      // owner-drawn picture or clipping container
  Line,         // a one-pixel line drawn in `fore`
  Menu,         // a pop-up menu (not shown in a menu bar); `text` is its caption
  MenuItem,     // an item of the Menu named by `parent`
};

// Style bits a control may carry besides its kind.
enum ControlFlag : std::uint32_t {
  kTabStop = 1u << 0,      // reached by Tab
  kTransparent = 1u << 1,  // label drawn over the window's background
  kRightAlign = 1u << 2,
  kMultiLine = 1u << 3,
  kReadOnly = 1u << 4,
  kNoPrefix = 1u << 5,     // "&" shown as it is
  kNoBorder = 1u << 6,     // text boxes and list views without their sunken edge
};

// One column of a report-style list view.
struct Column {
  const char* header = "";
  int width = 0;  // pixels
  bool rightAlign = false;
};

struct ControlSpec {
  Kind kind = Kind::Label;
  int id = 0;
  const char* name = "";  // the designer's name, e.g. "lblChecksum"
  Box box;                // pixels, in the client area of `parent` (0: the window)
  Font font;
  const char* text = "";
  const char* tooltip = "";
  Colour fore = kDefaultColour;
  Colour back = kDefaultColour;
  Colour hover = kDefaultColour;  // XP buttons: caption colour under the mouse
  int parent = 0;                 // id of the containing Frame or Picture (or Menu)
  std::uint32_t flags = 0;
  std::span<const Column> columns;  // list views
};

// A view of one window's table.
struct ControlTable : std::span<const ControlSpec> {
  using std::span<const ControlSpec>::span;
  // The control with this id, or nullptr.
  constexpr const ControlSpec* Find(int id) const {
    for (const ControlSpec& c : *this)
      if (c.id == id) return &c;
    return nullptr;
  }
  // The id of the control with this designer's name. In a constant
  // expression a name that is not in the table does not compile, so a
  // window's named id constants can only be taken from its table.
  constexpr int IdOf(std::string_view name) const {
    for (const ControlSpec& c : *this)
      if (name == c.name) return c.id;
    throw "no control of that name in the table";
  }
};

enum class Frame : std::uint8_t {
  None,         // no border, no title bar: cannot be moved or resized
  FixedTool,    // narrow caption with a close box, not resizable
  SizableTool,  // narrow caption with a close box, resizable
  FixedSingle,  // ordinary caption with the window's icon and a close box, not resizable
};

struct WindowSpec {
  const char* className = "";  // the Win32 class, registered once
  const char* title = "";
  int clientWidth = 0;         // pixels
  int clientHeight = 0;
  Colour back = kDefaultColour;
  Colour fore = kDefaultColour;  // text colour of labels that set none
  Font font;                     // default font of the controls
  Frame frame = Frame::FixedTool;
  bool taskbarButton = false;
  bool minimiseBox = false;
  bool centred = true;           // false: the platform's default place
  bool programIcon = true;       // the program's icon in the caption
};

}  // namespace tarvex::ui
