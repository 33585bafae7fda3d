// How a strip's key-coloured pixels are made see-through and click-through.
#pragma once

#include <string_view>

namespace vesk::platform::win32 {

enum class KeyTechnique {
  // A layered window's colour key (LWA_COLORKEY): the system drops the key
  // pixels of whatever is drawn, repaint by repaint.
  ColourKey,
  // A layered, fully opaque window cut by a window region made from the
  // pixels that are not the key, set again only when that set changes.
  Region,
};

// The region where the platform is an older Wine (before 9), whose X11
// driver rebuilds and resends the whole shape of a colour-keyed window on
// every repaint; the colour key everywhere else: Windows composes it
// cheaply, and newer Wine rescans only the repainted area (and draws
// region-shaped layered windows with wrong pixels on the X screen).
KeyTechnique keyTechnique();

// The choice for a given Wine version text ("8.0", "10.0-rc3"); empty text
// means not Wine.
KeyTechnique keyTechniqueForWine(std::string_view wineVersion);

}  // namespace vesk::platform::win32
