// The program loaded beside a 1024 x 768 game window with the example data
// files, on the fake platform: what the benchmarks measure the work of.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "shell/frm_vesk.h"

namespace vesk::bench {

inline std::string example(const std::string& name) {
  std::ifstream in(std::string(VESK_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct LoadedForm {
  LoadedForm() {
    for (const char* name : {"caravan_tama.txt", "caravan_que.txt", "caravan_fushi.txt"}) {
      fake.files.put(fake.system.folder + "\\" + name, example(name));
    }
    fake.windowing.addForeignWindow({" M H F ", {100, 50, 1132, 842}, {0, 0, 1024, 768}});
    form.Form_Load();
    form.onTimer();  // the pending placement and the first full refresh
  }
  platform::fake::FakePlatform fake;
  ModVESK mod{fake.files, fake.clock};
  FrmVESK form{fake.services, mod};
};

}  // namespace vesk::bench
