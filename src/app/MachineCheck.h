#pragma once

#include "app/DisplaySettings.h"
#include "app/Window.h"

// orvale-invit --check, for party organisers: prints what this machine offers the intro (GL,
// displays, sound, the font standing in for "Verdana", the data folder), then draws the
// heaviest scene, the ribbons, off screen at the chosen size and compares its frame rate
// with the display's refresh rate. Returns the exit status: 0 when GL has what the intro
// needs and the ribbons keep up with the display, 1 otherwise. The context is of the given API.
int runMachineCheck(const DisplaySettings& settings, GLApi api);
