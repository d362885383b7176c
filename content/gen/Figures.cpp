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
Image withOutline(const Image& fig, float strength, Rgba colour) {
  Image halo(fig.width(), fig.height());
  for (int y = 0; y < fig.height(); ++y)
    for (int x = 0; x < fig.width(); ++x) halo.at(x, y) = Rgba{0, 0, 0, fig.at(x, y).a};
  halo = blur(halo, 1);
  Image out(fig.width(), fig.height());
  for (int y = 0; y < fig.height(); ++y)
    for (int x = 0; x < fig.width(); ++x) {
      const float a = std::min(1.f, halo.at(x, y).a * strength);
      out.at(x, y) = colour * a;
    }
  out.draw(fig, 0, 0);
  return out;
}

// A figure fitted into a 90 × 90 square: smaller pieces larger, every foot on the same line.
Image icon(const FigureModel& model, Army army, float shadow) {
  FigureView v;
  v.width = v.height = 90;
  v.elevation = 14;
  v.scale = std::min(0.64f, 80.f / (model.body.height() + 4.f));
  v.stretch = 1.3f;
  const float baseR = model.body.radius(1.f) * v.scale;
  v.footX = 45;
  v.footY = 86.f - baseR * std::sin(v.elevation * 3.14159265f / 180.f);
  v.samples = 4;
  v.shadow = shadow;
  return renderFigure(model, army, v);
}

// The rim of a classic-board piece: dark round the ivory army, a pale glow round the ebony one, so both read
// on light and dark squares.
Rgba classicRim(Army army) {
  return army == Army::Blondes ? rgba(0.08f, 0.05f, 0.03f, 0.9f) : rgba(0.95f, 0.88f, 0.70f, 0.55f);
}

}  // namespace

// Makes this generator's files from its command line.
static int generate(const Arguments& args) {
  const std::string out = args[1];
  std::vector<Image> board, portrait, icons, classic;
  for (int side = 0; side < 2; ++side) {
    const Army army = side == 0 ? Army::Blondes : Army::Brunettes;
    for (int k = 0; k < 6; ++k) {
      FigureModel model = makeFigure(kKinds[k]);
      model.mirrored = army == Army::Brunettes;
      const zelmar::TFigureAnchor a = zelmar::kFigureAnchors[static_cast<std::size_t>(side * 6 + k)];
      FigureView small;
      small.footX = static_cast<float>(a.X);
      small.footY = static_cast<float>(a.Y);
      small.samples = 4;
      small.shadow = 0.5f;
      board.push_back(renderFigure(model, army, small));
      FigureView large;
      large.width = 373;
      large.height = 666;
      large.footX = static_cast<float>(a.X) * kPortraitScale;
      large.footY = static_cast<float>(a.Y) * kPortraitScale;
      large.scale = kPortraitScale;
      large.samples = 2;
      portrait.push_back(renderFigure(model, army, large));
      icons.push_back(withOutline(icon(model, army, 0.f), 1.2f, Rgba{0, 0, 0, 0.55f}));
      classic.push_back(withOutline(icon(model, army, 0.f), 2.5f, classicRim(army)));
    }
  }
  const FigureModel zelmar = makeFigure(FigureKind::Zelmar);
  const Image zw = icon(zelmar, Army::Blondes, 0.f), zb = icon(zelmar, Army::Brunettes, 0.f);
  bool ok = savePicture(out, "zelmar_piece_2", board) && savePicture(out, "zelmar_piece_1", portrait) &&
            savePicture(out, "piece_1", icons) && savePicture(out, "piece_2", classic) &&
            savePicture(out, "queen_1", {withOutline(zw, 2.5f, classicRim(Army::Blondes))}) &&
            savePicture(out, "queen_2", {withOutline(zb, 2.5f, classicRim(Army::Brunettes))}) &&
            savePicture(out, "queen_11", {withOutline(zw, 1.2f, Rgba{0, 0, 0, 0.55f})}) &&
            savePicture(out, "queen_21", {withOutline(zb, 1.2f, Rgba{0, 0, 0, 0.55f})});
  return ok ? 0 : 1;
}

int main(int argc, char** argv) {
  return runGenerator(argc, argv, "figures", {"<record directory>"}, generate);
}
