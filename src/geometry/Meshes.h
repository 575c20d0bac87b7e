#pragma once

// The displaced sphere that Scene B's meteor is drawn with, built once at load time.
void buildDisplacedSphere();
void releaseDisplacedSphere();
