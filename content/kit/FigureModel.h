// The shapes of the chess figures: a turned (lathed) profile plus carved and added parts.
#pragma once
#include <functional>
#include <vector>

#include "content/kit/Vec3.h"

namespace zelmar::content {

// Surface materials of a figure: the army's body colour and its metal trim.
enum class Part : int { Body = 0, Trim = 1 };

// A field value: approximate signed distance (negative inside) and the part nearest to the point.
struct FieldSample {
  float D;
  Part Nearest;
};

// Builds a profile radius R(y) for a turned body from simple shapes, merged by a smooth maximum.
class Profile {
 public:
  explicit Profile(float height);
  // A disc between y0 and y1 of radius r with edges rounded by `round`.
  Profile& Disc(float y0, float y1, float r, float round, bool trim = false);
  // A ring (torus section) of radius r round y = yc with a tube of radius `tube`.
  Profile& Ring(float yc, float r, float tube, bool trim = false);
  // A sphere or ellipsoid section centred on yc with half height ry and radius rx.
  Profile& Ellipsoid(float yc, float ry, float rx, bool trim = false);
  // A smooth waist from (y0, r0) to (y1, r1); `bend` < 1 hollows the curve, > 1 swells it.
  Profile& Curve(float y0, float y1, float r0, float r1, float bend, bool trim = false);

  float Height() const { return height_; }
  // The radius at height y (≤ 0 where the body does not reach) and its slope.
  float Radius(float y) const;
  float Slope(float y) const;
  bool TrimAt(float y) const;

 private:
  void Merge(float y0, float y1, bool trim, const std::function<float(float)>& r);
  float height_;
  std::vector<float> r_;
  std::vector<unsigned char> trim_;
};

// A complete figure: the turned body and an optional field of extra parts (union and carving).
struct FigureModel {
  Profile Body;
  float Bound = 30;       // radius of the bounding box in x and z
  bool Mirrored = false;  // turned left to right (the knights of one army face the other way)
  std::function<FieldSample(V3, FieldSample)> Extras;  // receives the body sample, returns the final one

  // The field of the whole figure at p.
  FieldSample Field(V3 p) const;
};

enum class FigureKind { Pawn, Knight, Bishop, Rook, Queen, King, Zelmar };

// The model of one figure kind, in pixels of the 112 × 200 figure cell (y up, foot centre at the origin).
FigureModel MakeFigure(FigureKind kind);

}  // namespace zelmar::content
