// Lists the desktop's top-level windows and the running processes as JSON
// lines, for the end-to-end harness to inspect.
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

}  // namespace driver
