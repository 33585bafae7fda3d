// The driver's commands, run from its own command line or from a request of
// the serve mode; either way they give the same output and exit code.
#pragma once

#include <string>
#include <vector>

namespace driver {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// What one command produced: its exit code and the texts it gives on
// standard output (JSON lines) and standard error ("driver: ..." lines).
struct Answer {
  int code = 0;
  std::string out;
  std::string err;
};

// Runs one command; args[0] is the command name, as argv[1] of the driver.
Answer runCommand(const std::vector<std::wstring>& args);

// An answer with exit code `code` and `text` as its error line.
Answer failure(const std::string& text, int code);

}  // namespace driver
