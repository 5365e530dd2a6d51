#pragma once
// The base of every window of the program, top-level windows and the XP
// button alike: its class is registered once, and `this` is stored at
// WM_NCCREATE, so every message, those sent while the window is being created
// among them, reaches the object's OnMessage.
#include <windows.h>

#include <string>

namespace tarvex::ui {

// Sends `message` (adding the tool, or changing its text) for the tooltip of
// `control` in `owner` to the tooltip window `tips`, made when null; the
// tooltip window, or null when it could not be made.
HWND SendTooltip(HWND tips, HWND owner, HWND control, const std::string& text, UINT message);

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return hwnd_; }

  // The program's own window object behind `hwnd`, or nullptr for any other
  // window (message boxes, the shell's dialogs, other programs' windows).
  static Window* FromHandle(HWND hwnd);

 protected:
  struct Creation {
    const char* className = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string title;
    // Screen pixels; CW_USEDEFAULT in `left` for the platform's place, with
    // `right` and `bottom` then the width and height.
    RECT outer = {};
    HWND owner = nullptr;  // a child window's parent
    bool programIcon = true;
    UINT classStyle = 0;   // CS_DBLCLKS and the like, for the class's first registration
    int childId = 0;       // a child window's control id
  };
  // Registers the class on its first use and creates the window.
  bool CreateHandle(const Creation& frame);
  void DestroyHandle();

  // Every message of the window; the default hands it to DefWindowProcW.
  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  // The window is gone (WM_NCDESTROY); Handle() is null from here on.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace tarvex::ui
