// Generates the game's desktop icons: the Zelmar of the Blondes on a square of a chessboard, as hicolor PNG
// files at every size the desktop asks for, a record with all of them side by side for the contact sheet,
// and the same picture as plain RGBA bytes for the game window, which carries it inside the program.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "content/gen/GenMain.h"
#include "content/kit/FigureRenderer.h"
#include "content/kit/Paint.h"
#include "content/kit/Png.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

constexpr std::array<int, 7> kSizes = {16, 32, 48, 64, 128, 256, 512};
// The largest icon is rendered; the smaller ones are area-averaged reductions of its tile and its figure.
constexpr int kMaster = 512;
// The game window's icon: one of the sizes above (the window's reader takes the side from the byte count).
constexpr int kWindowIcon = 64;

// The ground: a rounded tile of four chessboard squares in light and dark wood, lit from above.
Image Tile(int side) {
  Image img(side, side);
  const float s = static_cast<float>(side), margin = s * 0.06f, inner = s - 2 * margin;
  const Rgba light = Premultiplied(0.86f, 0.70f, 0.47f), dark = Premultiplied(0.42f, 0.25f, 0.14f);
  const Shader wood = [=](float x, float y) {
    const bool odd = ((x - margin) < inner / 2) != ((y - margin) < inner / 2);
    const float shade = 1.08f - 0.22f * (y / s);
    Rgba c = odd ? dark : light;
    return Rgba{std::min(1.f, c.R * shade), std::min(1.f, c.G * shade), std::min(1.f, c.B * shade), 1.f};
  };
  const float radius = s * 0.16f;
  FillRoundRect(img, margin, margin, inner, inner, radius, Premultiplied(0.16f, 0.09f, 0.05f));
  const float rim = std::max(1.f, s * 0.014f);
  FillRoundRect(img, margin + rim, margin + rim, inner - 2 * rim, inner - 2 * rim, radius - rim, wood);
  return img;
}

// The Zelmar standing on the tile, its foot near the bottom edge, on transparent ground.
Image Figure(int side) {
  const FigureModel zelmar = MakeFigure(FigureKind::Zelmar);
  const float s = static_cast<float>(side);
  FigureView v;
  v.Width = v.Height = side;
  v.Elevation = 14;
  v.Scale = s * 0.80f / (zelmar.Body.Height() + 6.f);
  v.Stretch = 1.15f;
  v.FootX = s * 0.5f + 3.f * v.Scale;  // the horse's head leans to the left of the foot
  v.FootY = s * 0.90f - zelmar.Body.Radius(1.f) * v.Scale * std::sin(v.Elevation * 3.14159265f / 180.f);
  v.Samples = 3;
  v.Shadow = 0.f;
  return RenderFigure(zelmar, Army::Blondes, v);
}

// One icon: the tile and the figure reduced to `side`, the figure with a dark rim drawn at that size (about
// a pixel wide on the smallest icons) so that it reads on both woods.
Image Compose(const Image& ground, const Image& fig, int side) {
  const Image t = side == ground.Width() ? ground : Resize(ground, side, side);
  const Image f = side == fig.Width() ? fig : Resize(fig, side, side);
  Image halo(side, side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) halo.At(x, y) = Rgba{0, 0, 0, f.At(x, y).A};
  halo = Blur(halo, std::max(1, side / 128));
  Image out = t;
  const Rgba rim = Premultiplied(0.10f, 0.05f, 0.02f);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) out.Blend(x, y, rim, std::min(1.f, halo.At(x, y).A * 2.5f));
  out.Draw(f, 0, 0);
  return out;
}

// Writes the picture as straight 8-bit red, green, blue, alpha, row by row from the top; false when the file
// cannot be written whole.
bool WriteRgba(const std::string& path, const Image& img) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(img.Width()) * img.Height() * 4);
  for (int y = 0; y < img.Height(); ++y) {
    for (int x = 0; x < img.Width(); ++x) {
      const uint32_t argb = ToArgb(img.At(x, y));
      for (const int shift : {16, 8, 0, 24}) bytes.push_back(static_cast<char>(argb >> shift));
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string root = args[1], name = args[2];
  const Image ground = Tile(kMaster), fig = Figure(kMaster);
  // Each size in its own hicolor folder; all of them side by side for the contact sheet.
  int stripWidth = 0;
  for (int size : kSizes) stripWidth += size + 8;
  Image strip(stripWidth, kMaster);
  int x = 0;
  for (int size : kSizes) {
    const Image icon = Compose(ground, fig, size);
    const std::filesystem::path folder =
        std::filesystem::path(root) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string file = (folder / (name + ".png")).string();
    if (error || !WritePng(file, icon)) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      return 1;
    }
    strip.Draw(icon, x, kMaster - size);
    x += size + 8;
    if (size == kWindowIcon && !WriteRgba(args[4], icon)) {
      std::fprintf(stderr, "cannot write %s\n", args[4].c_str());
      return 1;
    }
  }
  return SavePicture(args[3], "app_icons", {strip}) ? 0 : 1;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "icons",
                      {"<hicolor directory>", "<icon name>", "<record directory>", "<window icon file>"},
                      Generate);
}
