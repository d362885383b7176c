// The application loop: handles the platform's events, runs the calls queued for the main thread, then the
// idle handler, until the main window is closed or Terminate is called.
#pragma once

#include <functional>
#include <string>

#include "framework/platform/Platform.h"

namespace zelmar {

class TApplication {
 public:
  // The idle handler returns true when its work is done (the loop may then wait for events) and false when
  // it wants to be called again at once.
  using TIdleHandler = std::function<bool()>;

  explicit TApplication(platform::Platform& platform);

  platform::Platform& Platform() { return platform_; }

  // The program's name as the desktop shows it; handed to the platform.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  // Hands the free pages of the process's heap back to the system (after start-up: the launcher's and the
  // loading's freed blocks lie between blocks still in use, where the heap's own trimming cannot reach).
  static void ReturnFreePages();

  // Runs the loop until Terminate or a close request of the window.
  void Run();
  // One pass of the loop: events, queued calls, idle handler. Returns false once the loop should end.
  bool ProcessOnce();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }

  // Replaces the idle handler; `owner` identifies who installed it.
  void SetIdleHandler(TIdleHandler handler, const void* owner = nullptr) {
    idle_ = std::move(handler);
    idleOwner_ = owner;
  }
  // Removes the idle handler if `owner` installed it.
  void RemoveIdleHandler(const void* owner) {
    if (idleOwner_ == owner) SetIdleHandler(nullptr);
  }
  // Drains the queue of calls other threads want run on the main thread; called once per pass.
  void SetSynchronizeHook(std::function<void()> hook) { synchronize_ = std::move(hook); }
  // Called when the user asks to close the window; the loop ends unless it sets `allow` to false.
  std::function<void(bool& allow)> OnCloseQuery;

 private:
  platform::Platform& platform_;
  std::string title_;
  TIdleHandler idle_;
  const void* idleOwner_ = nullptr;
  std::function<void()> synchronize_;
  bool terminated_ = false;
};

}  // namespace zelmar
