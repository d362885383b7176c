// A small stand-in for the game window's drawing half: a device of any size with the canvas, images, fonts,
// archive and loader set up as the game window sets them, the group "Content" of zelmar.def loaded, and the
// canvas painter bound. Used by tools/scene-bench and the display tests on either backend.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/GfxCanvas.h"
#include "framework/GfxDb.h"
#include "framework/GfxDevice.h"
#include "framework/GfxFonts.h"
#include "framework/GfxImages.h"
#include "framework/GfxLoader.h"
#include "scene/CanvasPainter.h"

namespace zelmar::scene {

class TContentRig {
 public:
  TContentRig(TApplication& app, platform::Platform& platform, int width, int height)
      : form(app, platform::WindowSettings{"scene", width, height}), device(&form, platform) {
    device.SetWidth(width);
    device.SetHeight(height);
    device.SetBitDepth(bdLow);
    device.SetHardwareTL(false);
    images.SetMipMapping(false);
    canvas.SetAlphaTesting(false);
    canvas.SetVertexCache(4096);
    canvas.SetAntialias(false);
    canvas.SetDithering(false);
    for (TGfxDeviceSubscriber* s :
         {static_cast<TGfxDeviceSubscriber*>(&images), static_cast<TGfxDeviceSubscriber*>(&canvas),
          static_cast<TGfxDeviceSubscriber*>(&fonts), static_cast<TGfxDeviceSubscriber*>(&loader)})
      s->SetPublisher(&device);
    fonts.SetCanvas(&canvas);
    loader.SetImages(&images);
    loader.SetFonts(&fonts);
    loader.SetArchive(&archive);
    archive.SetOpenMode(opReadOnly);
  }

  // Opens the device and loads the group "Content" of `dataDir`/zelmar.def; true when every picture and
  // font of the scene is there.
  bool Load(const std::string& dataDir) {
    if (form.Window()) form.Window()->Show();
    bool loaded = false;
    device.OnInitialize = [&](TGfxDevice*, bool& success) {
      loader.XMLDescFile = dataDir + "/zelmar.def";
      success = loader.LoadGroup("Content");
      loaded = success;
    };
    return device.Initialize() && loaded && painter.Bind(images, fonts);
  }

  // One frame drawn by `draw` into the cleared back buffer (not presented).
  bool Render(const std::function<void(TScenePainter&)>& draw) {
    device.OnRender = [&](TGfxDevice*) { draw(painter); };
    return device.Render(0, true);
  }

  // The back buffer as 0xAARRGGBB pixels, row by row.
  bool ReadBack(std::vector<std::uint32_t>& pixels, int width, int height) {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return platform::GfxSucceeded(device.ApiDevice()->ReadBackBuffer(pixels.data(), width, height));
  }

  TForm form;
  TGfxDevice device;
  TGfxImages images{&form};
  TGfxCanvas canvas{&form};
  TGfxFonts fonts{&form};
  TGfxLoader loader{&form};
  TGfxDb archive;
  TCanvasPainter painter{canvas};
};

}  // namespace zelmar::scene
