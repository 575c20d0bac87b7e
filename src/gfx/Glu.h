#pragma once

// GLU, after libepoxy's GL header, which must come before any other.
#include <epoxy/gl.h>

#include <GL/glu.h>
