// The ComboBox controls of one window as real child COMBOBOX windows (drop-
// down lists): the system draws them and gives them the keyboard, the mouse
// wheel and the accessibility a screen reader reads. The control data stays
// the program's: sync() makes the children follow it, and a selection made
// by the user is handed back through selectionChanged().
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/control.h"
#include "platform/win32/gdi_objects.h"

namespace vesk::platform::win32 {

// A child window destroyed with its owner object, unless its parent's
// destruction took it first (then release() forgets it).
class ChildWindow {
 public:
  ChildWindow() = default;
  explicit ChildWindow(HWND window) : window_(window) {}
  ChildWindow(ChildWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  ChildWindow& operator=(ChildWindow&& other) noexcept;
  ChildWindow(const ChildWindow&) = delete;
  ChildWindow& operator=(const ChildWindow&) = delete;
  ~ChildWindow() { reset(); }

  HWND get() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }
  void reset();
  void release() { window_ = nullptr; }

 private:
  HWND window_ = nullptr;
};

class NativeComboBoxes {
 public:
  // Creates, updates and destroys children so that there is one for each
  // ComboBox control of the list, at its place, with its font, items,
  // selection and visibility, in the Tab order of the controls' tabIndex.
  // Only what differs from the last call is sent to a child. A child the
  // system refuses is tried again at the next call.
  void sync(HWND parent, const std::vector<Control>& controls);

  struct Selection {
    std::string name;
    int index;
    int selected;
  };
  // After a CBN_SELCHANGE from child: which control it is and what it now
  // shows; nothing for a window that is not one of these children.
  std::optional<Selection> selectionChanged(HWND child);

  // The control a child belongs to, or null.
  const std::pair<std::string, int>* controlOf(HWND child) const;
  // The child of a control, or null.
  HWND childOf(const std::string& name, int index) const;

  // The parent is being destroyed and takes its children along.
  void release();

 private:
  using Key = std::pair<std::string, int>;
  struct Child {
    Key key;
    int id = 0;
    // The font outlives the window that uses it: members go in reverse.
    GdiObject<HFONT> fontObject;
    ChildWindow window;
    Font font;
    bool hasFont = false;
    std::vector<std::string> items;
    bool filled = false;
    int selected = -2;  // none sent yet
    RECT rect{};
    bool placed = false;
    bool visible = false;
    int tabIndex = -1;
  };

  bool create(HWND parent, const Key& key, Child& child);
  void update(HWND parent, Child& child, const Control& control);
  void restack();

  std::map<Key, Child> children_;
  int nextId_ = 1000;  // clear of IDOK, IDCANCEL and the other dialog ids
};

}  // namespace vesk::platform::win32
