// The OpenGL 3.3 core functions, declared for direct calls (the system's GL library exports them).
#pragma once

#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/glcorearb.h>
