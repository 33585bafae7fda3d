#include "shell/app.h"

#include "caravan/mod_vesk.h"
#include "shell/frm_vesk.h"

namespace vesk {

int runApp(platform::Platform& platform) {
  ModVESK mod(platform.files, platform.clock);
  FrmVESK main(platform, mod);
  if (!main.Form_Load()) return 0;
  main.window()->setVisible(true);
  platform.windowing.runMessageLoop();
  return 0;
}

}  // namespace vesk
