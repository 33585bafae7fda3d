// The program loaded against the fake platform, with helpers to put a game
// window beside it and to read back both strips.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

#include "platform/fake/fake_platform.h"
#include "shell/frm_vesk.h"

namespace vesk::testing {

struct Overlay {
  explicit Overlay(const std::string& arguments = "") { fake.system.arguments = arguments; }

  // A game window with these outer left, top, right, bottom and client size.
  WindowHandle addGame(Rect outer, int clientWidth, int clientHeight) {
    return fake.windowing.addForeignWindow(
        {" M H F ", outer, Rect{0, 0, clientWidth, clientHeight}});
  }
  void load() { ASSERT_EQ(form.Form_Load(), FrmVESK::LoadOutcome::Loaded); }

  platform::fake::FakeWindow& main() { return *fake.windowing.window("frmVESK"); }
  platform::fake::FakeWindow& second() { return *fake.windowing.window("frmVESK2"); }
  // Read only: reading does not mark a control set for drawing.
  const platform::Control& mainControl(const std::string& name, int index = -1) {
    return std::as_const(form.controls()).at(name, index);
  }
  const platform::Control& secondControl(const std::string& name, int index = -1) {
    return std::as_const(form.frmVESK2().controls()).at(name, index);
  }

  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
};

// What a handler can change, seen from outside, compared whole: a handler
// that does more than its own action shows in a field it should not touch.
struct Effects {
  SettingsRecord settings;
  std::int16_t maxHP = 0;
  bool allVisible = false;
  bool swRunning = false;
  std::string stopwatch;
  bool unloaded = false;
  Rect main;  // empty once the window is gone
  bool secondShown = false;
  int editorOpenings = 0;
  int shortcutSaves = 0;
  std::int16_t dayOffset = 0;
  friend bool operator==(const Effects&, const Effects&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Effects& e) {
    const SettingsRecord& s = e.settings;
    return out << "{font " << s.fontSize << (s.fontBold ? " bold" : "") << ", compact "
               << s.compactMode << ", btnPos " << s.btnPos << ", ptLine " << s.ptLine << ", maxHP "
               << e.maxHP << (e.allVisible ? ", all" : ", reduced") << ", stopwatch " << e.stopwatch
               << (e.swRunning ? " running" : "") << (e.unloaded ? ", unloaded" : "") << ", main "
               << e.main.left << "," << e.main.top << "-" << e.main.right << "," << e.main.bottom
               << (e.secondShown ? ", second shown" : "") << ", editor x" << e.editorOpenings
               << ", shortcuts x" << e.shortcutSaves << ", day +" << e.dayOffset << "}";
  }
};

// Placed beside a 1024 x 768 game at (100, 50) by the first tick; the
// deadline editor, when it opens, is counted and closed at once by its
// close box.
struct Placed : Overlay {
  static constexpr Rect kGame{100, 50, 1132, 842};
  Placed() {
    addGame(kGame, 1024, 768);
    load();
    form.onTimer();
    fake.windowing.onModal = [this](platform::fake::FakeWindow& editor) {
      ++editorOpenings;
      zOrderCallsWhileOpen = fake.windowing.zOrderCalls.size();
      editor.events().onCloseRequest();
    };
  }
  Effects effects() {
    const auto* w = fake.windowing.window("frmVESK");
    const auto* w2 = fake.windowing.window("frmVESK2");
    const MainState& s = form.state();
    return {s,
            s.maxHP,
            s.allVisible,
            s.swRunning,
            mainControl("txtMenu", 0).text,
            form.unloaded(),
            w ? w->rect : Rect{},
            w2 && w2->shown,
            editorOpenings,
            fake.shortcuts.saveCalls,
            s.dayOffset};
  }
  // Whether the last call that could activate a window, after the editor
  // was open, showed and activated the game.
  bool gameActivatedAfterEditor() const {
    const auto& z = fake.windowing.zOrderCalls;
    for (std::size_t i = z.size(); i-- > zOrderCallsWhileOpen;) {
      if (!(z[i].flags & platform::kSwpNoActivate)) {
        return z[i].window == form.state().gameHwnd && z[i].flags == 0x43u;
      }
    }
    return false;
  }
  int editorOpenings = 0;
  std::size_t zOrderCallsWhileOpen = 0;
};

}  // namespace vesk::testing
