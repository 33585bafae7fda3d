#include "panel/toggles.h"

namespace vesk {

void stepFontSize(MainState& s, bool smaller) {
  if (smaller) {
    if (s.fontSize > 10) --s.fontSize;
    if (s.fontSize == 13) s.fontSize = 12;
  } else {
    if (s.fontSize < 14) ++s.fontSize;
    if (s.fontSize == 13) s.fontSize = 14;
  }
}

void toggleFontBold(MainState& s) { s.fontBold = !s.fontBold; }

void stepMaxHP(MainState& s, bool lower) {
  if (lower) {
    if (s.maxHP > 50) s.maxHP -= 10;
  } else if (s.maxHP < 150) {
    s.maxHP += 10;
  }
}

void toggleAllVisible(MainState& s) { s.allVisible = !s.allVisible; }

void stepCompact(MainState& s) {
  if (s.compactMode >= 0 && s.compactMode <= 2) s.compactMode = (s.compactMode + 1) % 3;
}

void toggleBtnPos(MainState& s) {
  if (s.btnPos == 0 || s.btnPos == 1) s.btnPos = 1 - s.btnPos;
}

void togglePTLine(MainState& s) {
  if (s.ptLine == 0 || s.ptLine == 1) s.ptLine = 1 - s.ptLine;
}

}  // namespace vesk
