// orvale-invit: the setup dialog, then the intro in one OpenGL window until it ends,
// Escape is pressed or the window is closed.
#include <SDL.h>

#include "app/Assets.h"
#include "app/DataFolder.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Frame.h"
#include "app/MainLoop.h"
#include "app/SetupDialog.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

int main()
{
    const Result<std::filesystem::path> data = findDataFolder();
    if (!data) {
        reportFatal(data.message().c_str());
        return 1;
    }
    MusicPlayer music;
    // The sound device is opened first, before the setup dialog, as the intro always has.
    music.openOutput();
    switch (runSetupDialog(displaySettings)) {
    case SetupOutcome::Leave:
        return 0;
    case SetupOutcome::NoDisplay:
        return 1;
    case SetupOutcome::Go:
        break;
    }

    AppWindow window;
    if (!openWindow(displaySettings, window)) return 1;

    Result<std::unique_ptr<Assets>> assets = Assets::load(displaySettings.width, displaySettings.height, data.value());
    if (!assets) {
        // The window goes first, so that a full-screen mode is given back and the message box
        // is not hidden behind it.
        music.release();
        closeWindow(window);
        SDL_Quit();
        reportFatal(assets.message().c_str());
        return 1;
    }
    {
        Intro intro(*assets.value(), music, displaySettings.width, displaySettings.height);
        intro.start(data.value());
        SDL_Delay(300);
        runMainLoop(window.window, intro);
    }

    assets.value().reset();
    music.release();
    closeWindow(window);
    SDL_Quit();
    return 0;
}
