#include "framework/platform/GlProgram.h"

namespace zelmar::platform {
namespace {

// Screen pixels to clip space. Pixel centres sit on whole coordinates as the framework expects (a quad
// from x - 0.5 to x + w - 0.5 covers exactly w pixels); the shift is a sixty-fourth short of half a pixel
// so that edges on whole coordinates never fall exactly on a GL sample point.
const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aTexCoord;
uniform vec2 uScreen;
out vec4 vColor;
out vec2 vTexCoord;
void main() {
  float w = aPosition.w != 0.0 ? 1.0 / aPosition.w : 1.0;
  vec2 p = aPosition.xy + vec2(0.5 - 1.0 / 64.0);
  vec2 ndc = vec2(p.x * 2.0 / uScreen.x - 1.0, 1.0 - p.y * 2.0 / uScreen.y);
  gl_Position = vec4(ndc * w, (aPosition.z * 2.0 - 1.0) * w, w);
  vColor = aColor;
  vTexCoord = aTexCoord;
}
)";

// One texture stage: ops 1 disable, 2 first argument, 3 second argument, 4 product; arguments 0 vertex
// colour, 1 current (the vertex colour at the first stage), 2 texture. Without a texture it reads white.
const char* kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform bool uHasTexture;
uniform int uColorOp, uColorArg1, uColorArg2, uAlphaOp, uAlphaArg1, uAlphaArg2;
uniform bool uAlphaTest;
uniform int uAlphaFunc;
uniform float uAlphaRef;
out vec4 fragColor;
vec4 arg(int which, vec4 tex) { return which == 2 ? tex : vColor; }
vec4 combine(int op, int a1, int a2, vec4 tex) {
  if (op == 2) return arg(a1, tex);
  if (op == 3) return arg(a2, tex);
  if (op == 4) return arg(a1, tex) * arg(a2, tex);
  return vColor;
}
bool passes(float a) {
  if (uAlphaFunc == 1) return false;
  if (uAlphaFunc == 2) return a < uAlphaRef;
  if (uAlphaFunc == 3) return a == uAlphaRef;
  if (uAlphaFunc == 4) return a <= uAlphaRef;
  if (uAlphaFunc == 5) return a > uAlphaRef;
  if (uAlphaFunc == 6) return a != uAlphaRef;
  if (uAlphaFunc == 7) return a >= uAlphaRef;
  return true;
}
void main() {
  vec4 tex = uHasTexture ? texture(uTexture, vTexCoord) : vec4(1.0);
  vec3 rgb = combine(uColorOp, uColorArg1, uColorArg2, tex).rgb;
  float a = combine(uAlphaOp, uAlphaArg1, uAlphaArg2, tex).a;
  if (uAlphaTest && !passes(floor(a * 255.0 + 0.5))) discard;
  fragColor = vec4(rgb, a);
}
)";

// Compiles one shader; 0 when GL refuses it.
GLuint Compile(GLenum type, const char* source) {
  GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

// Frees the program.
GlProgram::~GlProgram() {
  if (program_) glDeleteProgram(program_);
}

// Compiles, links and looks up the uniforms.
bool GlProgram::Build() {
  GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader);
  GLuint fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
  if (!vs || !fs) {
    if (vs) glDeleteShader(vs);
    if (fs) glDeleteShader(fs);
    return false;
  }
  program_ = glCreateProgram();
  glAttachShader(program_, vs);
  glAttachShader(program_, fs);
  glLinkProgram(program_);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = GL_FALSE;
  glGetProgramiv(program_, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    glDeleteProgram(program_);
    program_ = 0;
    return false;
  }
  auto at = [&](const char* name) { return glGetUniformLocation(program_, name); };
  Screen = at("uScreen");
  Texture = at("uTexture");
  HasTexture = at("uHasTexture");
  ColorOp = at("uColorOp");
  ColorArg1 = at("uColorArg1");
  ColorArg2 = at("uColorArg2");
  AlphaOp = at("uAlphaOp");
  AlphaArg1 = at("uAlphaArg1");
  AlphaArg2 = at("uAlphaArg2");
  AlphaTest = at("uAlphaTest");
  AlphaFunc = at("uAlphaFunc");
  AlphaRef = at("uAlphaRef");
  return true;
}

}  // namespace zelmar::platform
