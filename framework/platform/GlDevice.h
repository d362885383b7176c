// The OpenGL device: a GL 3.3 core context on an SDL window, the back buffer as an off-screen framebuffer of
// the requested size, presented scaled into the window's drawable.
//
// Full screen uses the desktop's full-screen window (the screen's mode is never switched): the back buffer
// is scaled to the largest centred rectangle of its own shape, with black bars where the shapes differ. In
// a window it is stretched over the whole drawable, as a resized window shows it.
//
// This device never reports a lost device: a GL context keeps its objects through full-screen changes and
// focus changes, so Present and TestCooperativeLevel always answer kGfxOk or a plain failure.
#pragma once

#include <SDL.h>

#include <memory>

#include "framework/platform/GfxApi.h"
#include "framework/platform/GlDrawing.h"
#include "framework/platform/GlFunctions.h"

namespace zelmar::platform {

class SdlWindow;

class GlDevice : public GfxApiDevice {
 public:
  // Takes the current context made on `window`.
  GlDevice(SdlWindow& window, SDL_GLContext context);
  ~GlDevice() override;

  // Makes the back buffer and presentation as the parameters ask; the creation's first step.
  GfxResult Configure(const GfxPresentParameters& parameters);

  GfxResult GetDeviceCaps(GfxDeviceCaps& caps) override;
  GfxResult Reset(const GfxPresentParameters& parameters) override;
  GfxResult Present() override;
  GfxResult TestCooperativeLevel() override { return kGfxOk; }
  GfxResult BeginScene() override;
  GfxResult EndScene() override;
  GfxResult Clear(std::uint32_t flags, std::uint32_t colorArgb, float z, std::uint32_t stencil) override;
  GfxResult ReadBackBuffer(std::uint32_t* pixels, std::uint32_t width, std::uint32_t height) override;
  GfxApiDrawing& Drawing() override { return *drawing_; }

 private:
  bool MakeBackBuffer(const GfxPresentParameters& parameters);
  void FreeBackBuffer();
  void ApplyPresentation(const GfxPresentParameters& parameters);

  SdlWindow& window_;
  SDL_GLContext context_;
  std::unique_ptr<GlDrawing> drawing_;
  GfxPresentParameters parameters_{};
  GLuint framebuffer_ = 0;
  GLuint color_ = 0;
  GLuint depth_ = 0;
  bool inScene_ = false;
};

}  // namespace zelmar::platform
