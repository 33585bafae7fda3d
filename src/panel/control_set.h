// The controls of one window as data, addressed by name and array index as
// the handlers name them: at("txtMenu", 4), at("Command1"). Every writable
// access marks the set changed, so that a tick that touched nothing has
// nothing to draw.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/control.h"

namespace vesk {

class ControlSet {
 public:
  ControlSet() = default;
  // The members of each array must lie together, in ascending index without
  // gaps; an array may start above 0 (frmVESK2 has only element 4).
  explicit ControlSet(std::vector<platform::Control> controls);

  // The control; throws std::out_of_range for a name or index the window
  // does not have. The writable one marks the set changed.
  platform::Control& at(std::string_view name, int index = -1);
  const platform::Control& at(std::string_view name, int index = -1) const;

  const std::vector<platform::Control>& all() const { return controls_; }

  // Whether a control may have changed since the last call (a new set has);
  // clears the mark.
  bool takeChanged() { return std::exchange(changed_, false); }

 private:
  std::size_t position(std::string_view name, int index) const;

  struct Extent {
    std::size_t first = 0;  // position of the first member
    int firstIndex = -1;    // its array index; -1 outside an array
    std::size_t count = 0;
  };
  std::vector<platform::Control> controls_;
  std::map<std::string, Extent, std::less<>> byName_;
  bool changed_ = true;
};

}  // namespace vesk
