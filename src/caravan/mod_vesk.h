// The shared routines and module state of modVESK: the three data-file paths,
// the two caravan rotation tables, and the readers of the gem deadline and
// the caravan calendar.
#pragma once

#include <cstdint>
#include <string>

#include "caravan/rotation_table.h"
#include "common/timestamp.h"
#include "platform/clock.h"
#include "platform/files.h"

namespace vesk {

class ModVESK {
 public:
  ModVESK(platform::Files& files, const platform::Clock& clock) : files_(files), clock_(clock) {}

  // Full paths of caravan_tama.txt, caravan_que.txt and caravan_fushi.txt,
  // set once at start-up.
  std::string pathTama;
  std::string pathQue;
  std::string pathFushi;

  // Reads the hunter-gem deadline file. True when the file exists.
  bool getCaravanDate(Timestamp& deadline, std::int16_t& flag);

  // Builds the caravan line for the calendar day of moment (span 0: three
  // days, 1: two, 2: one). With reload, both rotation files are read first.
  // False, with text untouched, while the quest table is empty.
  bool getCaravanText(std::string& text, bool& festival, Timestamp moment, std::int16_t span,
                      bool reload);

  // The hour-of-day mark, e.g. "★5,6".
  std::string getHourMark() const;

  const RotationTable& queTable() const { return queTable_; }
  const RotationTable& fushiTable() const { return fushiTable_; }

 private:
  // Reads caravan_que.txt, then caravan_fushi.txt, into their tables.
  void reloadTables();

  platform::Files& files_;
  const platform::Clock& clock_;
  RotationTable queTable_;
  RotationTable fushiTable_;
};

}  // namespace vesk
