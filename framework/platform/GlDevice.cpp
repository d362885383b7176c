#include "framework/platform/GlDevice.h"

#include <algorithm>
#include <vector>

#include "framework/platform/SdlWindow.h"

namespace zelmar::platform {

namespace {

// The GL storage of a depth-stencil format.
GLenum DepthStorage(GfxFormat format) {
  switch (format) {
    case GfxFormat::D16:
      return GL_DEPTH_COMPONENT16;
    case GfxFormat::D24X8:
      return GL_DEPTH_COMPONENT24;
    case GfxFormat::D32:
      return GL_DEPTH_COMPONENT32F;
    default:
      return GL_DEPTH24_STENCIL8;
  }
}

// The largest rectangle of the back buffer's shape centred in the drawable (left, top, width, height).
void FitRect(int drawableW, int drawableH, int bufferW, int bufferH, int rect[4]) {
  const double scale =
      std::min(static_cast<double>(drawableW) / bufferW, static_cast<double>(drawableH) / bufferH);
  const int width = std::max(1, static_cast<int>(bufferW * scale + 0.5));
  const int height = std::max(1, static_cast<int>(bufferH * scale + 0.5));
  rect[0] = (drawableW - width) / 2;
  rect[1] = (drawableH - height) / 2;
  rect[2] = width;
  rect[3] = height;
}

}  // namespace

// Takes the context; the drawing half is made now and prepared in Configure.
GlDevice::GlDevice(SdlWindow& window, SDL_GLContext context)
    : window_(window), context_(context), drawing_(std::make_unique<GlDrawing>()) {}

// Frees the drawing objects and the back buffer while the context lives, then the context; a full-screen
// window goes back to a window.
GlDevice::~GlDevice() {
  drawing_.reset();
  FreeBackBuffer();
  SDL_GL_MakeCurrent(window_.Handle(), nullptr);
  SDL_GL_DeleteContext(context_);
  if (!parameters_.Windowed) window_.SetFullScreen(false);
}

// The first setup after the context exists: the drawing objects, then everything Reset does.
GfxResult GlDevice::Configure(const GfxPresentParameters& parameters) {
  if (!drawing_->Initialize()) return kGfxNotAvailable;
  parameters_.Windowed = true;
  return Reset(parameters);
}

// The largest texture and the generous limits of GL's buffers.
GfxResult GlDevice::GetDeviceCaps(GfxDeviceCaps& caps) {
  GLint size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  if (size <= 0) return kGfxNotAvailable;
  caps.MaxTextureWidth = caps.MaxTextureHeight = static_cast<std::uint32_t>(size);
  caps.MaxPrimitiveCount = 0xFFFFF;
  caps.MaxVertexIndex = 0xFFFFFF;
  caps.CanAutoGenMipmap = true;
  caps.PowerOfTwoTexturesOnly = false;
  return kGfxOk;
}

// Switches between window and full screen, sets the retrace wait, and remakes the back buffer at the new
// size. Textures and buffers are untouched.
GfxResult GlDevice::Reset(const GfxPresentParameters& parameters) {
  if (inScene_ || parameters.BackBufferFormat == GfxFormat::Unknown || parameters.BackBufferWidth == 0 ||
      parameters.BackBufferHeight == 0) {
    return kGfxInvalidCall;
  }
  if (parameters.EnableAutoDepthStencil && parameters.AutoDepthStencilFormat == GfxFormat::Unknown) {
    return kGfxInvalidCall;
  }
  ApplyPresentation(parameters);
  if (!MakeBackBuffer(parameters)) return kGfxOutOfMemory;
  parameters_ = parameters;
  drawing_->BackBufferResized(parameters.BackBufferWidth, parameters.BackBufferHeight);
  return kGfxOk;
}

// Full screen as a desktop-sized window (no mode switch), and the swap interval from the retrace choice.
void GlDevice::ApplyPresentation(const GfxPresentParameters& parameters) {
  if (parameters.Windowed != parameters_.Windowed || !parameters.Windowed) {
    window_.SetFullScreen(!parameters.Windowed);
  }
  const bool wait = parameters.PresentationInterval != GfxPresentInterval::Immediate;
  if (SDL_GL_SetSwapInterval(wait ? 1 : 0) != 0 && !wait) SDL_GL_SetSwapInterval(0);
}

// Makes the framebuffer with a colour (and optional depth) renderbuffer of the back buffer's size.
bool GlDevice::MakeBackBuffer(const GfxPresentParameters& parameters) {
  FreeBackBuffer();
  const auto width = static_cast<GLsizei>(parameters.BackBufferWidth);
  const auto height = static_cast<GLsizei>(parameters.BackBufferHeight);
  glGenFramebuffers(1, &framebuffer_);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glGenRenderbuffers(1, &color_);
  glBindRenderbuffer(GL_RENDERBUFFER, color_);
  const bool alpha = parameters.BackBufferFormat == GfxFormat::A8R8G8B8 ||
                     parameters.BackBufferFormat == GfxFormat::A1R5G5B5;
  glRenderbufferStorage(GL_RENDERBUFFER, alpha ? GL_RGBA8 : GL_RGB8, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color_);
  if (parameters.EnableAutoDepthStencil) {
    const GLenum storage = DepthStorage(parameters.AutoDepthStencilFormat);
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, storage, width, height);
    const GLenum attachment =
        storage == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, depth_);
  }
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glViewport(0, 0, width, height);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR) {
    FreeBackBuffer();
    return false;
  }
  return true;
}

// Deletes the back buffer's framebuffer and renderbuffers.
void GlDevice::FreeBackBuffer() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (color_) glDeleteRenderbuffers(1, &color_);
  if (depth_) glDeleteRenderbuffers(1, &depth_);
  framebuffer_ = color_ = depth_ = 0;
}

// Copies the back buffer scaled into the window (stretched in a window, shape kept with black bars in full
// screen), swaps, and tells the window where the picture lies for pointer scaling.
GfxResult GlDevice::Present() {
  if (!framebuffer_) return kGfxInvalidCall;
  int drawableW = 0, drawableH = 0, windowW = 0, windowH = 0;
  SDL_GL_GetDrawableSize(window_.Handle(), &drawableW, &drawableH);
  SDL_GetWindowSize(window_.Handle(), &windowW, &windowH);
  const int bufferW = static_cast<int>(parameters_.BackBufferWidth);
  const int bufferH = static_cast<int>(parameters_.BackBufferHeight);
  int rect[4] = {0, 0, drawableW, drawableH};
  if (!parameters_.Windowed) FitRect(drawableW, drawableH, bufferW, bufferH, rect);

  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glViewport(0, 0, drawableW, drawableH);
  if (rect[2] != drawableW || rect[3] != drawableH) {  // black bars around the picture
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const bool sameSize = rect[2] == bufferW && rect[3] == bufferH;
  glBlitFramebuffer(0, 0, bufferW, bufferH, rect[0], drawableH - rect[1] - rect[3], rect[0] + rect[2],
                    drawableH - rect[1], GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
  SDL_GL_SwapWindow(window_.Handle());
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, bufferW, bufferH);

  const double toWindowX = drawableW > 0 ? static_cast<double>(windowW) / drawableW : 1.0;
  const double toWindowY = drawableH > 0 ? static_cast<double>(windowH) / drawableH : 1.0;
  window_.SetArea({bufferW, bufferH, static_cast<int>(rect[0] * toWindowX),
                   static_cast<int>(rect[1] * toWindowY), static_cast<int>(rect[2] * toWindowX),
                   static_cast<int>(rect[3] * toWindowY)});
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

// Opens a scene: the back buffer becomes the target of the drawing.
GfxResult GlDevice::BeginScene() {
  if (inScene_) return kGfxInvalidCall;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, static_cast<GLsizei>(parameters_.BackBufferWidth),
             static_cast<GLsizei>(parameters_.BackBufferHeight));
  inScene_ = true;
  return kGfxOk;
}

// Closes the scene.
GfxResult GlDevice::EndScene() {
  if (!inScene_) return kGfxInvalidCall;
  inScene_ = false;
  return kGfxOk;
}

// Clears the whole back buffer, whatever masks and scissor the drawing left.
GfxResult GlDevice::Clear(std::uint32_t flags, std::uint32_t colorArgb, float z, std::uint32_t stencil) {
  GLbitfield mask = 0;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glDisable(GL_SCISSOR_TEST);
  if (flags & kGfxClearTarget) {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(static_cast<float>((colorArgb >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((colorArgb >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(colorArgb & 0xFF) / 255.0f, static_cast<float>(colorArgb >> 24) / 255.0f);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((flags & kGfxClearZBuffer) && depth_) {
    glDepthMask(GL_TRUE);
    glClearDepth(z);
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  if ((flags & kGfxClearStencil) && depth_) {
    glStencilMask(0xFF);
    glClearStencil(static_cast<GLint>(stencil));
    mask |= GL_STENCIL_BUFFER_BIT;
  }
  glClear(mask);
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

// Reads the back buffer top row first as 0xAARRGGBB words.
GfxResult GlDevice::ReadBackBuffer(std::uint32_t* pixels, std::uint32_t width, std::uint32_t height) {
  if (width != parameters_.BackBufferWidth || height != parameters_.BackBufferHeight || !framebuffer_) {
    return kGfxInvalidCall;
  }
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(width) * height);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
  for (std::uint32_t y = 0; y < height; ++y) {
    std::copy_n(rows.data() + static_cast<std::size_t>(height - 1 - y) * width, width,
                pixels + static_cast<std::size_t>(y) * width);
  }
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

}  // namespace zelmar::platform
