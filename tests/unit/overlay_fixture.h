// The program loaded against the fake platform, with helpers to put a game
// window beside it and to read back both strips.
#pragma once

#include <gtest/gtest.h>

#include <string>

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
  const platform::Control& mainControl(const std::string& name, int index = -1) {
    return form.controls().at(name, index);
  }
  const platform::Control& secondControl(const std::string& name, int index = -1) {
    return form.frmVESK2().controls().at(name, index);
  }

  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
};

}  // namespace vesk::testing
