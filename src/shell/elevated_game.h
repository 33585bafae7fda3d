// A game that runs as administrator: the system then keeps vesk (not
// elevated) from restacking its window and its low-level keyboard hook
// from seeing keys while the game is in front. vesk learns of it only from
// a restack refused for want of access, and tells the player once.
#pragma once

#include <string>

namespace vesk {

enum class ElevatedGameNotice {
  None,
  Restacking,         // every chord is a registered hotkey: only the restack fails
  KeysAndRestacking,  // some chords depend on the hook too
};

// After a failed restack of the game window.
ElevatedGameNotice elevatedGameNotice(bool accessDenied, bool veskElevated, bool chordsOnHook,
                                      bool toldBefore);

std::string elevatedGameMessage(ElevatedGameNotice notice);

}  // namespace vesk
