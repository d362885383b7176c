#include "framework/platform/SdlWindow.h"

#include <string>

namespace zelmar::platform {

namespace {

// The key under which an SDL window remembers its SdlWindow.
constexpr const char* kWindowDataKey = "zelmar.window";

}  // namespace

// Takes the window; until the first frame is presented, a window pixel is a back-buffer pixel.
SdlWindow::SdlWindow(SDL_Window* window) : window_(window) {
  int width = 0, height = 0;
  SDL_GetWindowSize(window_, &width, &height);
  area_ = {width, height, 0, 0, width, height};
  SDL_SetWindowData(window_, kWindowDataKey, this);
}

// The window an event names, when it is one of ours.
SdlWindow* SdlWindow::Of(std::uint32_t windowId) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  return window ? static_cast<SdlWindow*>(SDL_GetWindowData(window, kWindowDataKey)) : nullptr;
}

// The server may have dropped the window's pixels (exposed), or the picture is shown at a new size or
// state: either way it must be presented again.
void SdlWindow::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESIZED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      ++exposures_;
      break;
    default:
      break;
  }
}

// SDL keeps its own copy of the pixels.
void SdlWindow::SetIcon(std::span<const std::uint8_t> rgba, int side) {
  if (side <= 0 || rgba.size() < static_cast<std::size_t>(side) * side * 4) return;
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba.data()), side, side,
                                                         32, side * 4, SDL_PIXELFORMAT_RGBA32);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

// Closes the window.
SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(window_);
}

// The window follows the game's choice; a refused switch leaves the choice as it was.
void SdlWindow::SetFullScreen(bool fullScreen) {
  if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
    fullScreen_ = fullScreen;
  }
}

// Sets the title bar's text.
void SdlWindow::SetTitle(std::string_view title) {
  SDL_SetWindowTitle(window_, std::string(title).c_str());
}

// The frame's thickness on each side (0 where the window manager does not say).
void SdlWindow::Borders(int& top, int& left, int& bottom, int& right) const {
  top = left = bottom = right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
}

// The client size plus the frame.
void SdlWindow::OuterSize(int& width, int& height) const {
  int top, left, bottom, right;
  Borders(top, left, bottom, right);
  ClientSize(width, height);
  width += left + right;
  height += top + bottom;
}

// The outer top-left corner: the client corner minus the frame.
void SdlWindow::Position(int& left, int& top) const {
  int borderTop, borderLeft, bottom, right;
  Borders(borderTop, borderLeft, bottom, right);
  SDL_GetWindowPosition(window_, &left, &top);
  left -= borderLeft;
  top -= borderTop;
}

// Moves the window so that its outer top-left corner lands at the point.
void SdlWindow::SetPosition(int left, int top) {
  int borderTop, borderLeft, bottom, right;
  Borders(borderTop, borderLeft, bottom, right);
  SDL_SetWindowPosition(window_, left + borderLeft, top + borderTop);
}

// Centres the window on its display.
void SdlWindow::Center() {
  const int display = SDL_GetWindowDisplayIndex(window_);
  const int where = SDL_WINDOWPOS_CENTERED_DISPLAY(display < 0 ? 0 : display);
  SDL_SetWindowPosition(window_, where, where);
}

// The desktop size of the window's display.
void SdlWindow::ScreenSize(int& width, int& height) const {
  SDL_DisplayMode mode;
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
    width = height = 0;
    return;
  }
  width = mode.w;
  height = mode.h;
}

// A modal error box over the window.
void SdlWindow::ShowError(std::string_view title, std::string_view text) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, std::string(title).c_str(), std::string(text).c_str(),
                           window_);
}

}  // namespace zelmar::platform
