// A top-level window component: the owner of the components that need a window (device, input).
#pragma once

#include <memory>

#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/platform/PlatformWindow.h"

namespace zelmar {

class TForm : public TComponent {
 public:
  // Opens the platform window (hidden); Window() is null when the platform has no display.
  TForm(TApplication& application, const platform::WindowSettings& settings);
  ~TForm() override;

  TApplication& Application() { return application_; }
  platform::PlatformWindow* Window() { return window_.get(); }

 private:
  TApplication& application_;
  std::unique_ptr<platform::PlatformWindow> window_;
};

}  // namespace zelmar
