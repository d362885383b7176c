// The shader pair that draws the framework's pre-transformed vertices: D3D-style pixel centres, one
// texture stage (select or modulate texture and vertex colour) and the alpha test.
#pragma once

#include "framework/platform/GlFunctions.h"

namespace zelmar::platform {

class GlProgram {
 public:
  GlProgram() = default;
  ~GlProgram();
  GlProgram(const GlProgram&) = delete;
  GlProgram& operator=(const GlProgram&) = delete;

  // Compiles and links the pair; false (with nothing kept) when GL refuses.
  bool Build();
  GLuint Id() const { return program_; }

  // Uniform locations.
  GLint Screen = -1, Texture = -1, HasTexture = -1;
  GLint ColorOp = -1, ColorArg1 = -1, ColorArg2 = -1, AlphaOp = -1, AlphaArg1 = -1, AlphaArg2 = -1;
  GLint AlphaTest = -1, AlphaFunc = -1, AlphaRef = -1;

 private:
  GLuint program_ = 0;
};

}  // namespace zelmar::platform
