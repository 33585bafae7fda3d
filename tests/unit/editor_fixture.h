// The gem deadline editor opened against the fake platform: a test acts on
// the shown window from inside the modal loop and reads back what it showed.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "editor/frm_caravan.h"
#include "platform/fake/fake_platform.h"

namespace vesk::testing {

constexpr const char* kTamaPath = "C:\\Games\\vesk\\caravan_tama.txt";

struct Editor {
  Editor() { mod.pathTama = kTamaPath; }

  // Opens the editor beside a main strip at `main`; `during` runs while it
  // is shown. Afterwards `closed` tells whether the editor closed itself.
  void open(const std::function<void(platform::fake::FakeWindow&)>& during = {},
            Rect main = Rect{0, 0, 800, 200}) {
    FrmCaravan form(fake.services, mod, main);
    fake.windowing.onModal = [&](platform::fake::FakeWindow& w) {
      window = &w;
      if (during) during(w);
      closed = w.destroyed();
      shownFields = fields(w);
    };
    form.showModal();
    window = nullptr;
  }

  static const platform::Control& list(platform::fake::FakeWindow& w, int index) {
    return *std::find_if(w.controls.begin(), w.controls.end(), [&](const platform::Control& c) {
      return c.name == "Combo1" && c.index == index;
    });
  }
  static std::string shown(platform::fake::FakeWindow& w, int index) {
    const platform::Control& c = list(w, index);
    return c.selected < 0 ? "" : c.items.at(static_cast<std::size_t>(c.selected));
  }
  // Year, month, day, hour, minute as shown, joined by spaces.
  static std::string fields(platform::fake::FakeWindow& w) {
    return shown(w, 4) + " " + shown(w, 0) + " " + shown(w, 1) + " " + shown(w, 2) + " " +
           shown(w, 3);
  }
  // The user picks the item with this text.
  static void pick(platform::fake::FakeWindow& w, int index, const std::string& text) {
    const auto& items = list(w, index).items;
    const auto at = std::find(items.begin(), items.end(), text);
    ASSERT_NE(at, items.end()) << text;
    w.select("Combo1", index, static_cast<int>(at - items.begin()));
  }
  static void press(platform::fake::FakeWindow& w, int button, int mouseButton = 1) {
    w.events().onMouse(platform::MouseEvent{"cmdMenu", button, true, mouseButton});
  }

  bool hasFile() const { return fake.files.has(kTamaPath); }
  std::string file() const { return hasFile() ? fake.files.contents(kTamaPath) : "(none)"; }

  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  platform::fake::FakeWindow* window = nullptr;
  bool closed = false;
  std::string shownFields;
};

}  // namespace vesk::testing
