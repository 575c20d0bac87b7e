// orvale-invit: the setup dialog (unless the command line says otherwise), then the intro in
// one OpenGL window until it ends, Escape is pressed or the window is closed.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Assets.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/Frame.h"
#include "app/MainLoop.h"
#include "app/SetupDialog.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

namespace {

int usageError(const std::string& problem)
{
    std::fprintf(stderr, "%sorvale-invit: %s\n", usageText().c_str(), problem.c_str());
    return 2;
}

// The display options into the settings the dialog starts from.
void applyOptions(const LaunchOptions& options, DisplaySettings& settings)
{
    if (options.fullScreen) settings.fullScreen = *options.fullScreen ? 1 : 0;
    if (options.width) {
        settings.width = *options.width;
        settings.height = *options.height;
    }
    if (options.display) settings.display = *options.display;
    settings.vsync = options.vsync;
}

// How many displays there are, or 0 when that cannot be known here (no display to ask).
int displayCount()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    const int count = SDL_GetNumVideoDisplays();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return count > 0 ? count : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.problem.empty()) return usageError(parsed.problem);
    const LaunchOptions& options = parsed.options;
    if (options.action == LaunchOptions::Action::Help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.action == LaunchOptions::Action::Version) {
        std::printf("orvale-invit %s\n", ORVALE_VERSION);
        return 0;
    }
    if (options.display) {
        const int count = displayCount();
        if (count > 0 && *options.display >= count)
            return usageError("--display " + std::to_string(*options.display) + ": there " +
                              (count == 1 ? "is 1 display (0)" : "are " + std::to_string(count) + " displays (0 to " +
                                                                     std::to_string(count - 1) + ")"));
    }

    const Result<std::filesystem::path> data = findDataFolder();
    if (!data) {
        reportFatal(data.message().c_str());
        return 1;
    }
    MusicPlayer music;
    // The sound device is opened first, before the setup dialog, as the intro always has.
    if (options.mute)
        music.useVirtualOutput();
    else
        music.openOutput();
    applyOptions(options, displaySettings);
    if (options.dialog) {
        switch (runSetupDialog(displaySettings)) {
        case SetupOutcome::Leave:
            return 0;
        case SetupOutcome::NoDisplay:
            return 1;
        case SetupOutcome::Go:
            break;
        }
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
        intro.hearDemoTime(options.mute);
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
