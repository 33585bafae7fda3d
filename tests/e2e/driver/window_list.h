// Lists the desktop's top-level windows and the running processes as JSON
// lines, with the monitors they are shown on, for the end-to-end harness to
// inspect.
#pragma once

#include <optional>
#include <string>

namespace driver {

// One line per top-level window: handle, owning process id and executable,
// class, title, visibility, styles, window and client rectangles in screen
// pixels, and the texts of its child windows (a message box's text is
// one of them). nullopt when the windows or processes cannot be listed.
std::optional<std::string> listWindows();
// One line per process: id and executable file name; nullopt on failure.
std::optional<std::string> listProcesses();
// One line per display monitor: its rectangle in screen pixels and whether
// it is the primary one; nullopt when they cannot be listed.
std::optional<std::string> listMonitors();

}  // namespace driver
