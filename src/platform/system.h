// Process-wide services: the executable's folder and command line, the
// single-instance test, message boxes, screen units and random numbers.
#pragma once

#include <string>
#include <string_view>

namespace vesk::platform {

class System {
 public:
  virtual ~System() = default;
  // Folder of the running executable, UTF-8, with no trailing separator
  // except at a drive root ("C:\").
  virtual std::string exeFolder() = 0;
  // The argument text of the command line, without the program's own path.
  virtual std::string commandLineArguments() = 0;
  // Claims this user's single-instance object for the process; true when
  // another instance of the program holds it already.
  virtual bool anotherInstanceRunning() = 0;
  // A modal message box with an OK button only and the default caption.
  virtual void messageBox(std::string_view text) = 0;
  // Twips per screen pixel (15 at 96 dpi).
  virtual int twipsPerPixelX() = 0;
  virtual int twipsPerPixelY() = 0;
  // A pseudo-random number in [0, 1); the program never seeds it.
  virtual double random() = 0;
  // A line for a debugger (the system's debug output); users never see it.
  virtual void debugOutput(std::string_view text) = 0;
  // Suspends the user-interface thread (used for short settling pauses).
  virtual void sleep(int milliseconds) = 0;
  // Whether the process runs elevated (as administrator).
  virtual bool elevated() = 0;
};

}  // namespace vesk::platform
