#pragma once

#include "app/DisplaySettings.h"

enum class SetupOutcome {
    Go,         // "Go!": open the intro with the chosen settings
    Leave,      // "Leave", Escape or the dialog closed
    NoDisplay,  // no display to show the dialog on (already reported on stderr)
};

// Shows the modal setup dialog and writes the choice into settings.
SetupOutcome runSetupDialog(DisplaySettings& settings);
