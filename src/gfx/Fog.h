#pragma once

// Linear black fog from the eye out to `end` units, switched on. The scenes that use it
// leave it on for whatever they draw next.
void enableBlackFog(float end);
