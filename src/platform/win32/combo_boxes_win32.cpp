#include "platform/win32/combo_boxes_win32.h"

#include <algorithm>
#include <set>

#include "platform/win32/control_geometry.h"
#include "platform/win32/font_win32.h"
#include "platform/win32/wide_text.h"

namespace vesk::platform::win32 {

namespace {

// The opened list shows about this many items before it scrolls.
constexpr int kVisibleItems = 10;

bool sameFont(const Font& a, const Font& b) {
  return a.name == b.name && a.points == b.points && a.bold == b.bold && a.charset == b.charset;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int dotsPerInchOf(HWND window) {
  const WindowDc dc(window);
  return dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
}

}  // namespace

ChildWindow& ChildWindow::operator=(ChildWindow&& other) noexcept {
  if (this != &other) {
    reset();
    window_ = std::exchange(other.window_, nullptr);
  }
  return *this;
}

void ChildWindow::reset() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void NativeComboBoxes::sync(HWND parent, const std::vector<Control>& controls) {
  if (!parent) return;
  std::set<Key> present;
  bool restackNeeded = false;
  for (const Control& control : controls) {
    if (!isNative(control)) continue;
    const Key key{control.name, control.index};
    if (!present.insert(key).second) continue;  // a second control of one name and index
    auto found = children_.find(key);
    if (found == children_.end()) {
      Child child;
      if (!create(parent, key, child)) continue;
      found = children_.emplace(key, std::move(child)).first;
      restackNeeded = true;
    }
    if (found->second.tabIndex != control.tabIndex) restackNeeded = true;
    update(parent, found->second, control);
  }
  for (auto it = children_.begin(); it != children_.end();) {
    it = present.count(it->first) ? std::next(it) : children_.erase(it);
  }
  if (restackNeeded) restack();
}

bool NativeComboBoxes::create(HWND parent, const Key& key, Child& child) {
  const int id = nextId_;
  // Hidden until update() has given it its place, font and items.
  const HWND window =
      CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                      0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), nullptr);
  if (!window) return false;
  ++nextId_;
  child.key = key;
  child.id = id;
  child.window = ChildWindow(window);
  return true;
}

void NativeComboBoxes::update(HWND parent, Child& child, const Control& control) {
  const HWND window = child.window.get();
  bool resize = false;

  if (!child.hasFont || !sameFont(child.font, control.font)) {
    GdiObject<HFONT> font = createFont(control.font, dotsPerInchOf(parent), DEFAULT_QUALITY);
    if (font) {
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
      child.fontObject = std::move(font);  // the old one only now, no longer in use
      child.font = control.font;
      child.hasFont = true;
      resize = true;  // the item height follows the font
    }
  }

  if (!child.filled || child.items != control.items) {
    SendMessageW(window, CB_RESETCONTENT, 0, 0);
    child.items.clear();
    child.filled = true;
    for (const std::string& item : control.items) {
      const std::wstring text = toWide(item);
      const LRESULT added =
          SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (added == CB_ERR || added == CB_ERRSPACE) {
        child.filled = false;  // out of memory: try the whole list again next time
        break;
      }
      child.items.push_back(item);
    }
    child.selected = -2;
  }

  const int count = static_cast<int>(child.items.size());
  const int wanted = control.selected >= 0 && control.selected < count ? control.selected : -1;
  if (child.selected != wanted) {
    // CB_ERR is also the answer for -1 (no selection): nothing to check.
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(wanted), 0);
    child.selected = wanted;
  }

  const RECT rect = controlRect(control);
  if (resize || !child.placed || !sameRect(child.rect, rect)) {
    // A combo box's window height is its height when opened: the field
    // takes what its font needs, the list the rest.
    const LRESULT itemHeight = SendMessageW(window, CB_GETITEMHEIGHT, 0, 0);
    const int listHeight = itemHeight > 0 ? static_cast<int>(itemHeight) * kVisibleItems + 2 : 0;
    const int height = std::max<int>(rect.bottom - rect.top, 0) + listHeight;
    if (SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE)) {
      child.rect = rect;
      child.placed = true;
    }
  }

  if (child.visible != control.visible) {
    ShowWindow(window, control.visible ? SW_SHOWNA : SW_HIDE);
    child.visible = control.visible;
  }
  child.tabIndex = control.tabIndex;
}

void NativeComboBoxes::restack() {
  std::vector<Child*> order;
  for (auto& [key, child] : children_) order.push_back(&child);
  // Numbered ones first by number, the rest after them as created.
  std::sort(order.begin(), order.end(), [](const Child* a, const Child* b) {
    const bool aNumbered = a->tabIndex >= 0;
    const bool bNumbered = b->tabIndex >= 0;
    if (aNumbered != bNumbered) return aNumbered;
    if (a->tabIndex != b->tabIndex) return a->tabIndex < b->tabIndex;
    return a->id < b->id;
  });
  // Tab goes down the children's z-order: each one under the one before.
  HWND above = HWND_TOP;
  for (Child* child : order) {
    SetWindowPos(child->window.get(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = child->window.get();
  }
}

std::optional<NativeComboBoxes::Selection> NativeComboBoxes::selectionChanged(HWND child) {
  for (auto& [key, c] : children_) {
    if (c.window.get() != child) continue;
    const LRESULT current = SendMessageW(child, CB_GETCURSEL, 0, 0);
    c.selected = current == CB_ERR ? -1 : static_cast<int>(current);
    return Selection{key.first, key.second, c.selected};
  }
  return std::nullopt;
}

const std::pair<std::string, int>* NativeComboBoxes::controlOf(HWND child) const {
  if (!child) return nullptr;
  for (const auto& [key, c] : children_) {
    if (c.window.get() == child) return &c.key;
  }
  return nullptr;
}

HWND NativeComboBoxes::childOf(const std::string& name, int index) const {
  const auto found = children_.find(Key{name, index});
  return found == children_.end() ? nullptr : found->second.window.get();
}

void NativeComboBoxes::release() {
  for (auto& [key, child] : children_) child.window.release();
  children_.clear();
}

}  // namespace vesk::platform::win32
