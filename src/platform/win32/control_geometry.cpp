#include "platform/win32/control_geometry.h"

#include <algorithm>
#include <cmath>

namespace vesk::platform::win32 {

namespace {

int layerOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return 0;
    case ControlKind::Button:
      return 1;
    default:
      return 2;
  }
}

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

bool isNative(const Control& control) { return control.kind == ControlKind::ComboBox; }

RECT controlRect(const Control& control, ScreenScale scale) {
  const Span across = scale.span(control.left, control.width);
  const Span down = scale.span(control.top, control.height);
  return RECT{across.from, down.from, across.to, down.to};
}

std::vector<std::size_t> stackingOrder(const std::vector<Control>& controls) {
  std::vector<std::size_t> order(controls.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return layerOf(controls[a].kind) < layerOf(controls[b].kind);
  });
  return order;
}

const Control* controlAt(const std::vector<Control>& controls, POINT point, ScreenScale scale) {
  const std::vector<std::size_t> order = stackingOrder(controls);
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const Control& control = controls[*it];
    if (!control.visible || isNative(control)) continue;
    const RECT r = controlRect(control, scale);
    if (PtInRect(&r, point)) return &control;
  }
  return nullptr;
}

bool looksSame(const Control& a, const Control& b) {
  return a.kind == b.kind && a.name == b.name && a.index == b.index && a.left == b.left &&
         a.top == b.top && a.width == b.width && a.height == b.height && a.visible == b.visible &&
         a.backColour == b.backColour && a.textColour == b.textColour &&
         a.font.name == b.font.name && a.font.points == b.font.points &&
         a.font.bold == b.font.bold && a.font.charset == b.font.charset && a.text == b.text &&
         a.multiLine == b.multiLine && a.border == b.border && a.centred == b.centred &&
         a.items == b.items && a.selected == b.selected;
}

std::vector<RECT> changedAreas(const std::vector<Control>& before,
                               const std::vector<Control>& after, ScreenScale scale) {
  std::vector<Control> kept = before;
  return adoptChanges(kept, after, scale);
}

std::vector<RECT> adoptChanges(std::vector<Control>& kept, const std::vector<Control>& now,
                               ScreenScale scale) {
  std::vector<RECT> areas;
  const auto add = [&](const Control& control) {
    const RECT r = controlRect(control, scale);
    if (control.visible && !isNative(control) && !isEmpty(r)) areas.push_back(r);
  };
  const std::size_t count = std::max(kept.size(), now.size());
  for (std::size_t i = 0; i < count; ++i) {
    const bool hadOne = i < kept.size();
    const bool hasOne = i < now.size();
    if (hadOne && hasOne && looksSame(kept[i], now[i])) continue;
    if (hadOne) add(kept[i]);
    if (hasOne) add(now[i]);
    if (hadOne && hasOne) kept[i] = now[i];
  }
  if (kept.size() > now.size()) kept.resize(now.size());
  kept.insert(kept.end(), now.begin() + static_cast<std::ptrdiff_t>(kept.size()), now.end());
  return areas;
}

}  // namespace vesk::platform::win32
