#include "secondary/frm_vesk2.h"

#include "secondary/frm_vesk2_design.h"

namespace vesk {

FrmVESK2::FrmVESK2(platform::Platform& platform, Colour keyColour)
    : p_(platform),
      controls_(
          frmVESK2Controls(platform.system.twipsPerPixelX(), platform.system.twipsPerPixelY())) {
  const platform::WindowDesign design =
      frmVESK2Design(p_.system.twipsPerPixelX(), p_.system.twipsPerPixelY());
  designWidth_ = design.clientWidth;
  designHeight_ = design.clientHeight;
  window_ = p_.windowing.createWindow(design, *this);
  if (window_) window_->setBounds(0, 0, design.clientWidth, design.clientHeight);
  Form_Load(keyColour);
}

FrmVESK2::~FrmVESK2() = default;

void FrmVESK2::Form_Load(Colour keyColour) {
  // See-through in the main window's back colour before it is first shown.
  if (window_) window_->setColourKey(keyColour);
  present();
}

void FrmVESK2::setPosition(int x, int y) {
  if (!window_) return;
  const Rect now = window_->bounds();
  window_->setBounds(x, y, now.width(), now.height());
}

void FrmVESK2::setScale(platform::ScreenScale scale) {
  if (!window_) return;
  window_->setScale(scale);
  const Rect now = window_->bounds();
  window_->setBounds(now.left, now.top, scale.extent(designWidth_), scale.extent(designHeight_));
}

void FrmVESK2::setVisible(bool visible) {
  if (window_) window_->setVisible(visible);
}

void FrmVESK2::present() {
  if (controls_.takeChanged() && window_) window_->present(controls_.all());
}

void FrmVESK2::endForm() { onCloseRequest(); }

void FrmVESK2::onMouse(const platform::MouseEvent& event) {
  if (!event.down && event.control == "txtMenu" && onLineReleased) onLineReleased(event);
}

void FrmVESK2::onCloseRequest() {
  // Unloads once, even when the close request comes again during unload.
  if (unloaded_) return;
  unloaded_ = true;
  if (window_) window_->destroy();
}

}  // namespace vesk
