// The keyboard hook's verdicts as the windows see them: which keys reach the
// game in front, the program that holds the chord, and the hook's owner.
#include "platform/win32/keyboard_hook_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "message_pump.h"
#include "recorder_window.h"

namespace vesk::platform::win32 {
namespace {

constexpr int kActId = 7;
constexpr unsigned kDigit2 = '2';

WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The decisions' view of the keys; the hook may ask from a thread of its own.
class SeenKeys {
 public:
  void add(const KeyEvent& event) {
    const std::lock_guard<std::mutex> lock(mutex_);
    seen_.push_back((event.down ? "down " : "up ") + std::to_string(event.virtualKey));
  }
  std::vector<std::string> get() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }
  void clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    seen_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> seen_;
};

bool sendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
  std::vector<INPUT> events(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    events[i].type = INPUT_KEYBOARD;
    events[i].ki.wVk = keys[i].first;
    events[i].ki.dwFlags = keys[i].second ? 0 : KEYEVENTF_KEYUP;
  }
  return SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) == events.size();
}

class Win32KeyboardHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(game.get());
    ASSERT_TRUE(owner.get());
    SetForegroundWindow(game.get());
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == game.get(); }));
  }

  RecorderWindow owner{20, 20};   // vesk's window, where an Act verdict arrives
  RecorderWindow holder{40, 40};  // the program that holds the chord
  RecorderWindow game;            // in front
  SeenKeys seen;
  Win32KeyboardHook hook;
};

// The chord's press acts and its release is swallowed, with the Windows key
// and with Alt (whose chords the system reports as WM_SYSKEYDOWN): the
// owner hears the chord once, the game and the holder never hear the key.
TEST_F(Win32KeyboardHookTest, AServedChordReachesTheOwnerAloneDownAndUp) {
  const struct {
    const char* name;
    WORD key;
    UINT holderModifier;
    unsigned modifierSet;
  } modifiers[] = {{"Windows key", VK_LWIN, MOD_WIN, kModWin}, {"Alt", VK_MENU, MOD_ALT, kModAlt}};
  for (const auto& m : modifiers) {
    SCOPED_TRACE(m.name);
    ASSERT_TRUE(RegisterHotKey(holder.get(), 1, m.holderModifier, kDigit2));
    std::bitset<256> keys;
    keys.set(kDigit2);
    ASSERT_TRUE(hook.install(
        HookSetup{handleOf(owner.get()), keys, "", {m.modifierSet}, [&](const KeyEvent& event) {
                    seen.add(event);
                    return event.down ? HookVerdict{HookAction::Act, kActId}
                                      : HookVerdict{HookAction::Swallow};
                  }}));
    const std::size_t gameBefore = game.log().size();
    ASSERT_TRUE(sendKeys({{m.key, true}, {kDigit2, true}, {kDigit2, false}, {m.key, false}}));
    // The modifier's release reaches the game after everything else.
    const std::string released = (m.key == VK_MENU ? "sysup " : "up ") + std::to_string(m.key);
    const std::string releasedPlain = "up " + std::to_string(m.key);
    EXPECT_TRUE(pumpUntil([&] {
      const auto& log = game.log();
      return log.size() > gameBefore && (log.back() == released || log.back() == releasedPlain);
    })) << "the modifier's release never reached the game";
    settle();
    hook.remove();
    UnregisterHotKey(holder.get(), 1);

    EXPECT_EQ(seen.get(), (std::vector<std::string>{"down 50", "up 50"}));
    EXPECT_EQ(owner.log(), std::vector<std::string>{"hotkey " + std::to_string(kActId)});
    EXPECT_EQ(holder.log(), std::vector<std::string>{});
    EXPECT_EQ(game.keyLog(kDigit2), std::vector<std::string>{});
    seen.clear();
    owner.clearLog();
  }
}

// The key that keeps the Start menu shut: once a chord was eaten during a
// Windows-key press, the program in front sees it pressed, then released,
// before the Windows key's release.
TEST_F(Win32KeyboardHookTest, TheNeutralKeyGoesDownThenUpBeforeTheWindowsKeysRelease) {
  std::bitset<256> keys;
  keys.set(kDigit2);
  ASSERT_TRUE(hook.install(HookSetup{
      handleOf(owner.get()), keys, "", {kModWin}, [](const KeyEvent& event) {
        return event.down ? HookVerdict{HookAction::Act, kActId} : HookVerdict{HookAction::Swallow};
      }}));
  const std::size_t before = game.log().size();
  ASSERT_TRUE(sendKeys({{VK_LWIN, true}, {kDigit2, true}, {kDigit2, false}, {VK_LWIN, false}}));
  const auto order = [&] {
    std::vector<std::string> found;
    const auto& log = game.log();
    for (std::size_t i = before; i < log.size(); ++i)
      if (log[i] == "down 232" || log[i] == "up 232" || log[i] == "up 91") found.push_back(log[i]);
    return found;
  };
  EXPECT_TRUE(pumpUntil([&] { return order().size() >= 3; }));
  settle();
  hook.remove();
  EXPECT_EQ(order(), (std::vector<std::string>{"down 232", "up 232", "up 91"}));
}

}  // namespace
}  // namespace vesk::platform::win32
