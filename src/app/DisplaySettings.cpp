#include "app/DisplaySettings.h"


SetupDialogState::SetupDialogState(DisplaySettings& s)
    : settings(s), fullScreenChecked(s.fullScreen != 0), fewerFlashesChecked(s.fewerFlashes)
{
    for (const ResolutionChoice& choice : kResolutionChoices)
        if (choice.width == s.width && choice.height == s.height) checkedResolution = choice.control;
}

bool handleSetupCommand(SetupDialogState& state, int control)
{
    switch (control) {
    case kControlGo:
        state.result = 1;
        return true;
    case kControlLeave:
        state.result = 0;
        return true;
    case kControlFullScreen:
        state.settings.fullScreen ^= 1;
        state.fullScreenChecked = state.settings.fullScreen != 0;
        return true;
    case kControlFewerFlashes:
        state.settings.fewerFlashes = !state.settings.fewerFlashes;
        state.fewerFlashesChecked = state.settings.fewerFlashes;
        return true;
    default:
        break;
    }
    for (const ResolutionChoice& choice : kResolutionChoices) {
        if (choice.control == control) {
            state.settings.width = choice.width;
            state.settings.height = choice.height;
            state.checkedResolution = control;
            return true;
        }
    }
    return false;
}
