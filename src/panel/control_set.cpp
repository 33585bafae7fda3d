#include "panel/control_set.h"

#include <stdexcept>

namespace vesk {

ControlSet::ControlSet(std::vector<platform::Control> controls) : controls_(std::move(controls)) {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const platform::Control& c = controls_[i];
    Extent& extent = byName_.try_emplace(c.name, Extent{i, c.index, 0}).first->second;
    const bool inOrder =
        extent.first + extent.count == i &&
        (extent.firstIndex < 0 ? c.index < 0 && extent.count == 0
                               : c.index == extent.firstIndex + static_cast<int>(extent.count));
    if (!inOrder) throw std::invalid_argument("control array out of order: " + c.name);
    ++extent.count;
  }
}

std::size_t ControlSet::position(std::string_view name, int index) const {
  const auto found = byName_.find(name);
  if (found == byName_.end()) throw std::out_of_range("no control " + std::string(name));
  const Extent& extent = found->second;
  if (extent.firstIndex < 0) {
    if (index != -1) throw std::out_of_range(std::string(name) + " is not an array");
    return extent.first;
  }
  const long offset = static_cast<long>(index) - extent.firstIndex;
  if (index < 0 || offset < 0 || static_cast<std::size_t>(offset) >= extent.count) {
    throw std::out_of_range("no element " + std::to_string(index) + " of " + std::string(name));
  }
  return extent.first + static_cast<std::size_t>(offset);
}

platform::Control& ControlSet::at(std::string_view name, int index) {
  platform::Control& control = controls_[position(name, index)];
  changed_ = true;
  return control;
}

const platform::Control& ControlSet::at(std::string_view name, int index) const {
  return controls_[position(name, index)];
}

}  // namespace vesk
