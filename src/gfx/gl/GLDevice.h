#pragma once

#include <memory>
#include <string>

#include "core/Result.h"
#include "gfx/Device.h"

// Which OpenGL the programs ask for: 3.3 core, or ES 3.0 (what browsers and GLES devices offer).
enum class GLApi { Core, ES };

// The OpenGL backend, over the context current on this thread: OpenGL 3.3 core or OpenGL ES
// 3.0 (WebGL 2), one source for both. A context older than that, or one that cannot build the
// built-in shading, is a failure that says what it lacks.
Result<std::unique_ptr<Device>> createGLDevice();
// The renderer and version of the context current on this thread, whatever it is.
std::string describeCurrentGL();
