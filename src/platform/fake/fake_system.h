// Process services with test-set answers; message boxes are recorded.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/system.h"

namespace vesk::platform::fake {

class FakeSystem : public System {
 public:
  std::string exeFolder() override { return folder; }
  std::string commandLineArguments() override { return arguments; }
  bool anotherInstanceRunning() override { return otherInstance; }
  // Events go on while a box is open, as in the real box's own message loop:
  // whileMessageBoxOpen runs then (not again for a box opened inside it).
  void messageBox(std::string_view text) override {
    messages.emplace_back(text);
    if (auto events = std::exchange(whileMessageBoxOpen, nullptr)) {
      events();
      whileMessageBoxOpen = std::move(events);
    }
  }
  int twipsPerPixelX() override { return twipsX; }
  int twipsPerPixelY() override { return twipsY; }
  double random() override {
    if (randomValues.empty()) return 0.0;
    const double r = randomValues[nextRandom_ % randomValues.size()];
    ++nextRandom_;
    return r;
  }
  void sleep(int milliseconds) override { slept.push_back(milliseconds); }
  void debugOutput(std::string_view text) override { debugLines.emplace_back(text); }
  bool elevated() override { return runsElevated; }

  std::string folder = "C:\\Games\\vesk";
  std::string arguments;
  bool otherInstance = false;
  bool runsElevated = false;
  int twipsX = 15;
  int twipsY = 15;
  std::vector<double> randomValues;
  std::vector<std::string> messages;
  std::function<void()> whileMessageBoxOpen;
  std::vector<int> slept;
  std::vector<std::string> debugLines;

 private:
  std::size_t nextRandom_ = 0;
};

}  // namespace vesk::platform::fake
