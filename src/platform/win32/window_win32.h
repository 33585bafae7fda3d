// One top-level window of the program: a native window whose controls are
// plain data, drawn by the Painter (combo boxes are real child windows, see
// NativeComboBoxes), and whose messages become calls of the program's
// WindowEvents.
//
// A window with a colour key is keyed by the system (LWA_COLORKEY) or, where
// the platform is an older Wine that rescans and sends again the whole shape
// of a colour-keyed layered window on every repaint, shaped by a window
// region made from the back buffer's pixels that are not the key, set only
// when that set of pixels changes (see key_technique.h).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/combo_boxes_win32.h"
#include "platform/win32/dpi_support.h"
#include "platform/win32/key_shape.h"
#include "platform/win32/key_technique.h"
#include "platform/win32/painter_win32.h"
#include "platform/windowing.h"

namespace vesk::platform::win32 {

class Win32Window final : public Window {
 public:
  // Registers the window class "vesk." + design.name on first use and creates
  // the window hidden. Should that fail, handle() is 0 and the other calls
  // do nothing. With the system's DPI support, a dialog is made (and drawn)
  // in the context the process started in, so that the system scales it
  // as it did before the process declared itself aware, and the fonts are
  // made for the screen's dots per inch of that context.
  Win32Window(const WindowDesign& design, WindowEvents& events, const DpiSupport* dpi = nullptr);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  WindowHandle handle() const override;
  void setColourKey(Colour key) override;
  // The same with the technique named rather than chosen for the platform.
  void setColourKey(Colour key, KeyTechnique technique);
  // Screen pixels; a dialog of its own context is only moved, keeping the
  // size the system scaled it to.
  void setBounds(int x, int y, int width, int height) override;
  Rect bounds() const override;
  void setVisible(bool visible) override;
  bool visible() const override;
  void setBackColour(Colour colour) override;
  void setScale(ScreenScale scale) override;
  void setTimer(int intervalMs, bool enabled) override;
  void present(const std::vector<Control>& controls) override;
  // Remembers which control key presses are reported for; a combo box gets
  // the real keyboard focus (now, or when the window is next activated).
  void setFocus(const std::string& control, int index) override;
  // The program's other windows are disabled meanwhile, as for any modal
  // window, so that no click on a strip re-enters the program. The loop
  // handles the keyboard as a dialog does: Tab and Shift+Tab go from list
  // to list, Enter and Escape arrive as onKeyPress 13 and 27 for the control
  // that had the keyboard (an open list takes them first, to close).
  void runModal() override;
  void destroy() override;

 private:
  // The control that got a mouse press; the release goes to it as well, even
  // when the pointer has left it by then.
  struct Press {
    bool active = false;
    std::string name;
    int index = -1;
    ControlKind kind = ControlKind::Label;
    RECT rect{};
    int buttons = 0;
  };

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static bool registerClass(const std::wstring& className);
  void create(const WindowDesign& design);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT onMouseButton(int button, bool down, WPARAM wParam, LPARAM lParam);
  void onCommand(WPARAM wParam, LPARAM lParam);
  LRESULT onActivateMessage(WPARAM wParam, LPARAM lParam);
  void paint();
  // Redraws the areas in the back buffer, reshapes the window when its key
  // pixels changed, and copies the areas to the window through its device
  // context: no invalidation and WM_PAINT round trip.
  void refresh(const std::vector<RECT>& areas);
  // Fits the back buffer to the client area; when it had to be made anew,
  // draws all of it and reshapes the window. False when there is no buffer.
  bool fitBuffer();
  // Rescans the rows of the areas for key pixels; sets the new region,
  // before the new pixels are shown, when they changed (or when forced).
  void reshape(const std::vector<RECT>& areas, bool force);
  RECT clientArea() const;
  // The keyboard to this child (the window itself when null), now when the
  // window is active, else at its next activation.
  void takeFocus(HWND child);
  void enableOtherWindows();
  // The calling thread in the window's own context meanwhile, for the
  // work that depends on it (client size, drawing); nothing for a window
  // made in the process's context.
  DpiSupport::ThreadScope ownContext() const { return {dpi_, context_}; }

  WindowEvents& events_;
  const DpiSupport* dpi_ = nullptr;
  DPI_AWARENESS_CONTEXT context_ = nullptr;  // the window's, when not the process's
  HWND window_ = nullptr;
  Colour backColour_;
  bool keyed_ = false;
  Colour key_ = 0;
  KeyShape shape_;
  std::vector<Control> controls_;
  Painter painter_;
  NativeComboBoxes combos_;
  // The child that had the keyboard when the window was last deactivated
  // (or that setFocus named while it was inactive), given it back on return.
  HWND savedFocus_ = nullptr;
  // The window of the last key press the modal loop saw: the control that
  // Enter and Escape are reported for.
  HWND keyWindow_ = nullptr;
  // setFocus named a control that has no child window yet.
  bool focusPending_ = false;
  std::string focusName_;
  int focusIndex_ = -1;
  Press press_;
  std::vector<HWND> disabledByModal_;
  // Cleared by the destructor, so that a handler that deletes this window
  // from inside one of its own events does not return into freed memory.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vesk::platform::win32
