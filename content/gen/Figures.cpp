// Generates the figure pictures: the upright board figures, the portraits, the icons and the classic pieces.
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "content/gen/GenMain.h"
#include "content/kit/FigureRenderer.h"
#include "content/kit/Paint.h"
#include "framework/GfxFigureAnchors.h"

using namespace zelmar;
using namespace zelmar::content;

namespace {

constexpr std::array<FigureKind, 6> kKinds = {FigureKind::Pawn, FigureKind::Knight, FigureKind::Bishop,
                                              FigureKind::Rook, FigureKind::Queen,  FigureKind::King};
constexpr float kPortraitScale = 3.33f;

// A dark rim round the silhouette so a small figure reads on any ground.
Image WithOutline(const Image& fig, float strength, Rgba colour) {
  Image halo(fig.Width(), fig.Height());
  for (int y = 0; y < fig.Height(); ++y)
    for (int x = 0; x < fig.Width(); ++x) halo.At(x, y) = Rgba{0, 0, 0, fig.At(x, y).A};
  halo = Blur(halo, 1);
  Image out(fig.Width(), fig.Height());
  for (int y = 0; y < fig.Height(); ++y)
    for (int x = 0; x < fig.Width(); ++x) {
      const float a = std::min(1.f, halo.At(x, y).A * strength);
      out.At(x, y) = colour * a;
    }
  out.Draw(fig, 0, 0);
  return out;
}

// A figure fitted into a 90 × 90 square: smaller pieces larger, every foot on the same line.
Image Icon(const FigureModel& model, Army army, float shadow) {
  FigureView v;
  v.Width = v.Height = 90;
  v.Elevation = 14;
  v.Scale = std::min(0.64f, 80.f / (model.Body.Height() + 4.f));
  v.Stretch = 1.3f;
  const float baseR = model.Body.Radius(1.f) * v.Scale;
  v.FootX = 45;
  v.FootY = 86.f - baseR * std::sin(v.Elevation * 3.14159265f / 180.f);
  v.Samples = 4;
  v.Shadow = shadow;
  return RenderFigure(model, army, v);
}

// The rim of a classic-board piece: dark round the ivory army, a pale glow round the ebony one, so both read
// on light and dark squares.
Rgba ClassicRim(Army army) {
  return army == Army::Blondes ? Premultiplied(0.08f, 0.05f, 0.03f, 0.9f)
                               : Premultiplied(0.95f, 0.88f, 0.70f, 0.55f);
}

}  // namespace

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string out = args[1];
  std::vector<Image> board, portrait, icons, classic;
  for (int side = 0; side < 2; ++side) {
    const Army army = side == 0 ? Army::Blondes : Army::Brunettes;
    for (int k = 0; k < 6; ++k) {
      FigureModel model = MakeFigure(kKinds[k]);
      model.Mirrored = army == Army::Brunettes;
      const zelmar::TFigureAnchor a = zelmar::kFigureAnchors[static_cast<std::size_t>(side * 6 + k)];
      FigureView small;
      small.FootX = static_cast<float>(a.X);
      small.FootY = static_cast<float>(a.Y);
      small.Samples = 4;
      small.Shadow = 0.5f;
      board.push_back(RenderFigure(model, army, small));
      FigureView large;
      large.Width = 373;
      large.Height = 666;
      large.FootX = static_cast<float>(a.X) * kPortraitScale;
      large.FootY = static_cast<float>(a.Y) * kPortraitScale;
      large.Scale = kPortraitScale;
      large.Samples = 2;
      portrait.push_back(RenderFigure(model, army, large));
      icons.push_back(WithOutline(Icon(model, army, 0.f), 1.2f, Rgba{0, 0, 0, 0.55f}));
      classic.push_back(WithOutline(Icon(model, army, 0.f), 2.5f, ClassicRim(army)));
    }
  }
  const FigureModel zelmar = MakeFigure(FigureKind::Zelmar);
  const Image zw = Icon(zelmar, Army::Blondes, 0.f), zb = Icon(zelmar, Army::Brunettes, 0.f);
  bool ok = SavePicture(out, "zelmar_piece_2", board) && SavePicture(out, "zelmar_piece_1", portrait) &&
            SavePicture(out, "piece_1", icons) && SavePicture(out, "piece_2", classic) &&
            SavePicture(out, "queen_1", {WithOutline(zw, 2.5f, ClassicRim(Army::Blondes))}) &&
            SavePicture(out, "queen_2", {WithOutline(zb, 2.5f, ClassicRim(Army::Brunettes))}) &&
            SavePicture(out, "queen_11", {WithOutline(zw, 1.2f, Rgba{0, 0, 0, 0.55f})}) &&
            SavePicture(out, "queen_21", {WithOutline(zb, 1.2f, Rgba{0, 0, 0, 0.55f})});
  return ok ? 0 : 1;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "figures", {"<record directory>"}, Generate);
}
