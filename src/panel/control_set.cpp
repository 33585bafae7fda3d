#include "panel/control_set.h"

#include <stdexcept>

namespace vesk {

ControlSet::ControlSet(std::vector<platform::Control> controls) : controls_(std::move(controls)) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const platform::Control& c = controls_[i];
    auto [it, added] = byName_.try_emplace(c.name, Extent{i, 0});
    Extent& extent = it->second;
    const bool inOrder =
        extent.first + extent.count == i &&
        (c.index < 0 ? extent.count == 0 : c.index == static_cast<int>(extent.count));
    if (!inOrder) throw std::invalid_argument("control array out of order: " + c.name);
    ++extent.count;
    (void)added;
  }
}

std::size_t ControlSet::position(std::string_view name, int index) const {
  const auto found = byName_.find(name);
  if (found == byName_.end()) throw std::out_of_range("no control " + std::string(name));
  const Extent& extent = found->second;
  const bool single = controls_[extent.first].index < 0;
  if (single ? index != -1 : index < 0 || static_cast<std::size_t>(index) >= extent.count) {
    throw std::out_of_range("no element " + std::to_string(index) + " of " + std::string(name));
  }
  return extent.first + (single ? 0 : static_cast<std::size_t>(index));
}

platform::Control& ControlSet::at(std::string_view name, int index) {
  return controls_[position(name, index)];
}

const platform::Control& ControlSet::at(std::string_view name, int index) const {
  return controls_[position(name, index)];
}

}  // namespace vesk
