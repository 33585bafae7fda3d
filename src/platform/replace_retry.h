// Replacing a file that another program holds for a moment: on Windows,
// antivirus, the search indexer and sync clients open a freshly written file
// briefly, and a replace by rename fails meanwhile. The replace is tried
// again a few times over about a second before it counts as failed.
#pragma once

#include <algorithm>

#include "platform/files.h"
#include "platform/system.h"

namespace vesk::platform {

// One budget of waiting, shared by every replace run through the same
// object: the user-interface thread waits about a second in all, however
// many files one action writes.
class ReplaceRetry {
 public:
  explicit ReplaceRetry(System& system) : system_(system) {}

  // Runs `attempt` (a callable returning WriteOutcome) until it ends other
  // than Held or the budget is spent; the waits between attempts double.
  template <class Attempt>
  WriteOutcome run(Attempt&& attempt) {
    for (int delay = kFirstWaitMs;; delay = std::min(2 * delay, kBudgetMs)) {
      const WriteOutcome outcome = attempt();
      if (outcome != WriteOutcome::Held || waitedMs_ >= kBudgetMs) return outcome;
      const int wait = std::min(delay, kBudgetMs - waitedMs_);
      system_.sleep(wait);
      waitedMs_ += wait;
    }
  }

 private:
  static constexpr int kFirstWaitMs = 25;
  static constexpr int kBudgetMs = 1000;

  System& system_;
  int waitedMs_ = 0;
};

}  // namespace vesk::platform
