// orvale-invit: the setup dialog (unless the command line says otherwise), then the intro in
// one OpenGL window until it ends, Escape is pressed or the window is closed.
#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/DisplaySettings.h"
#include "app/Fatal.h"
#include "app/MachineCheck.h"
#include "app/MainLoop.h"
#include "app/Presentation.h"
#include "app/Run.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"
#include "platform/SetupDialog.h"

namespace {

int usageError(const std::string& problem, const MessageStyle& style)
{
    tellUser((usageText() + "orvale-invit: " + problem + "\n").c_str(), true, style);
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
    settings.modeChange = options.modeChange;
    settings.vsync = options.vsync;
    if (options.fewerFlashes) settings.fewerFlashes = true;
}

// How many displays there are, or 0 when that cannot be known here (no display to ask).
int displayCount()
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 0;
    const int count = SDL_GetNumVideoDisplays();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return count > 0 ? count : 0;
}

// Loads behind the loading bar and plays until the end or Escape; a picture or render target
// that cannot be made is the failure. Everything GL it makes is gone when it returns, before
// the window and its context.
Status play(AppWindow& window, const DisplaySettings& chosen, const std::filesystem::path& data, MusicPlayer& music,
            const LaunchOptions& options)
{
    Gfx g(*window.device);
    Presenter presenter(window.window, g, chosen.width, chosen.height);
    RunSettings settings;
    settings.width = chosen.width;
    settings.height = chosen.height;
    settings.data = data;
    settings.startMs = options.startMs;
    settings.loop = options.loop;
    settings.hearDemoTime = options.mute;
    settings.fewerFlashes = chosen.fewerFlashes;
    settings.avOffsetMs = options.avOffsetMs;
    Run run(g, music, presenter, settings);
    return driveRun(window.window, run);
}

}  // namespace

int main(int argc, char** argv)
{
    SDL_SetMainReady();
    const MessageStyle style = attachToConsole();
    const ParsedCommandLine parsed = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.problem.empty()) return usageError(parsed.problem, style);
    const LaunchOptions& options = parsed.options;
    DisplaySettings displaySettings;
    if (options.action == LaunchOptions::Action::Help) {
        tellUser(usageText().c_str(), false, style);
        return 0;
    }
    if (options.action == LaunchOptions::Action::Version) {
        tellUser("orvale-invit " ORVALE_VERSION "\n", false, style);
        return 0;
    }
    if (options.display) {
        const int count = displayCount();
        if (count > 0 && *options.display >= count)
            return usageError("--display " + std::to_string(*options.display) + ": there " +
                              (count == 1 ? "is 1 display (0)" : "are " + std::to_string(count) + " displays (0 to " +
                                                                     std::to_string(count - 1) + ")"),
                              style);
    }

    if (options.action == LaunchOptions::Action::Check) {
        applyOptions(options, displaySettings);
        const int status = runMachineCheck(displaySettings, options.gl);
        SDL_Quit();
        return status;
    }

    const Result<std::filesystem::path> data = findDataFolder();
    if (!data) {
        reportFatal(data.message().c_str(), style);
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
    if (const Status opened = openWindow(displaySettings, options.gl, window); !opened.ok()) {
        reportFatal(opened.message().c_str(), style);
        return 1;
    }
    const Status played = play(window, displaySettings, data.value(), music, options);
    // The window goes before any message, so that a full-screen mode is given back and the
    // message box is not hidden behind it.
    music.release();
    closeWindow(window);
    SDL_Quit();
    if (!played.ok()) {
        reportFatal(played.message().c_str(), style);
        return 1;
    }
    return 0;
}
