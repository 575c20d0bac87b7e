// orvale-invit: the setup dialog, then the intro in one OpenGL window until it ends,
// Escape is pressed or the window is closed.
#include <SDL.h>

#include "app/Assets.h"
#include "app/DisplaySettings.h"
#include "app/MainLoop.h"
#include "app/SetupDialog.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

int main()
{
    // The sound device is opened first, before the setup dialog, as the intro always has.
    musicPlayer->openOutput();
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

    loadAssets();
    SDL_Delay(300);
    runMainLoop(window.window);

    releaseAssets();
    closeWindow(window);
    SDL_Quit();
    return 0;
}
