#pragma once

#include <cstdint>

// What the setup dialog chose (or the command line, or the page): the program keeps it and
// hands the render size and the rest to the window and the run.
struct DisplaySettings {
    int32_t width = 1024;
    int32_t height = 768;
    uint8_t fullScreen = 1;     // 1: a borderless window covering the whole display
    bool modeChange = false;    // full screen by changing the display's mode to the render size
    int32_t display = 0;        // which display the window opens on, counted from 0
    bool vsync = true;          // swaps wait for the display's refresh (adaptively where offered)
    bool fewerFlashes = false;  // the beat drawn calmer, within the rules for flashing pictures
};

// The warning every dialog, the usage and the documents give, word for word.
inline constexpr const char* kFlashWarning = "Warning: flashing lights. \"Fewer flashes\" softens them.";

// Control identifiers of the setup dialog.
enum SetupControl : int {
    kControlGo = 1,
    kControlLeave = 2,
    kControlFullScreen = 1000,
    kControlFewerFlashes = 1007,
    kControl1920x1080 = 1001,
    kControl1280x720 = 1002,
    kControl800x600 = 1003,
    kControl1280x1024 = 1004,
    kControl1024x768 = 1005,
    kControl1024x600 = 1006,
};

struct ResolutionChoice {
    int control;
    int32_t width;
    int32_t height;
};

// The six resolutions in the dialog's order: the left column top to bottom, then the middle one.
inline constexpr ResolutionChoice kResolutionChoices[6] = {
    {kControl1920x1080, 1920, 1080}, {kControl1280x1024, 1280, 1024},
    {kControl1280x720, 1280, 720},    {kControl1024x768, 1024, 768},
    {kControl1024x600, 1024, 600},    {kControl800x600, 800, 600},
};

// The dialog's state apart from its widgets: the settings being edited, which radio
// button carries the check mark, whether "Fullscreen" and "Fewer flashes" are checked, and how
// it ended.
struct SetupDialogState {
    DisplaySettings& settings;
    int checkedResolution = kControl1024x768;
    bool fullScreenChecked = true;
    bool fewerFlashesChecked = false;
    int result = -1;  // -1 while open; 1 for "Go!", 0 for "Leave"

    // The check marks start on the settings' size (when the dialog offers it), full-screen
    // choice and fewer flashes.
    explicit SetupDialogState(DisplaySettings& s);
};

// Handles one command from the dialog's controls. Returns false for an unknown control.
bool handleSetupCommand(SetupDialogState& state, int control);
