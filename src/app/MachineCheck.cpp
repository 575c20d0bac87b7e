#include "app/MachineCheck.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/DataFolder.h"
#include "app/Fatal.h"
#include "app/Run.h"
#include "app/Screen.h"
#include "app/Window.h"
#include "audio/MusicPlayer.h"

namespace {

constexpr double kWarmUpSeconds = 1.0;
constexpr double kMeasuredSeconds = 3.0;

void line(const char* label, const std::string& text) { std::printf("%-10s %s\n", label, text.c_str()); }

int verdict(bool good, const std::string& why)
{
    line("verdict:", (good ? "ready: " : "not ready: ") + why);
    std::fflush(stdout);
    return good ? 0 : 1;
}

// Every display with its current mode; the chosen display's refresh rate (60 Hz when unknown).
int describeDisplays(int chosen)
{
    int refresh = 60;
    for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
        SDL_DisplayMode mode{};
        const char* name = SDL_GetDisplayName(i);
        std::string text = std::string(name ? name : "unnamed");
        if (SDL_GetCurrentDisplayMode(i, &mode) == 0) {
            const std::string rate =
                mode.refresh_rate > 0 ? std::to_string(mode.refresh_rate) + " Hz" : "an unknown rate (60 Hz taken)";
            text += ", " + std::to_string(mode.w) + "x" + std::to_string(mode.h) + " at " + rate;
        }
        if (i == chosen) {
            text += " (chosen)";
            if (mode.refresh_rate > 0) refresh = mode.refresh_rate;
        }
        line(("display " + std::to_string(i) + ":").c_str(), text);
    }
    return refresh;
}

// Loads behind the bar; the reason when loading failed.
std::string load(Run& run)
{
    while (run.phase() == Run::Phase::Loading)
        if (run.tick({}).next == RunStep::Next::Fail) return run.failure();
    return {};
}

// After the settle, draws the ribbons from their start in real time: a warm-up, then the
// measured frames. Returns the median frames per second.
double ribbonRate(Gfx& g, Run& run)
{
    while (run.phase() == Run::Phase::Settling)
        if (run.tick({}).next == RunStep::Next::Wait) SDL_Delay(1);
    const double ticks = static_cast<double>(SDL_GetPerformanceFrequency());
    const uint64_t begin = SDL_GetPerformanceCounter();
    std::vector<double> frames;
    for (;;) {
        const uint64_t before = SDL_GetPerformanceCounter();
        run.tick({});
        g.finish();
        const uint64_t after = SDL_GetPerformanceCounter();
        const double since = static_cast<double>(after - begin) / ticks;
        if (since > kWarmUpSeconds + kMeasuredSeconds) break;
        if (since > kWarmUpSeconds) frames.push_back(static_cast<double>(after - before) / ticks);
    }
    if (frames.empty()) return 0;
    std::nth_element(frames.begin(), frames.begin() + static_cast<long>(frames.size() / 2), frames.end());
    return 1.0 / frames[frames.size() / 2];
}

}  // namespace

int runMachineCheck(const DisplaySettings& settings, GLApi api)
{
    std::printf("orvale-invit --check: what this machine offers the intro\n");
    const Result<std::filesystem::path> data = findDataFolder();
    line("data:", data ? data.value().string() : data.message());

    {
        MusicPlayer sound;
        sound.openOutput();
        line("sound:", sound.describeOutput());
        sound.release();
    }

    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return verdict(false, std::string("no display: ") + SDL_GetError());
    const int refresh = describeDisplays(settings.display);
    AppWindow window;
    if (const Status opened = openWindow(settings, api, window, false); !opened.ok()) {
        // A report on the console: what fails is said in its lines, not in message boxes.
        reportFatal(opened.message().c_str(), {.boxes = false});
        return verdict(false, "no OpenGL context the intro can use");
    }
    Gfx g(*window.device);
    const DeviceInfo gl = g.info();
    line("OpenGL:", gl.renderer + ", " + gl.version + ", " + gl.profile);
    line("", "GLSL " + gl.shadingLanguage);
    int status = 1;
    if (!data) {
        status = verdict(false, "the data is missing");
    } else {
        MusicPlayer music;
        music.useVirtualOutput();
        // The ribbons from their start, without running the scenes before them.
        RunSettings ribbons;
        ribbons.width = settings.width;
        ribbons.height = settings.height;
        ribbons.data = data.value();
        ribbons.startMs = sceneWindow(TimeWindow::Ribbons).start;
        ribbons.catchUp = false;
        ribbons.hearDemoTime = true;
        TargetScreen screen;
        Run run(g, music, screen, ribbons);
        const std::string failure = load(run);
        Result<RenderTarget> target = failure.empty() ? g.createTarget(settings.width, settings.height)
                                                      : Result<RenderTarget>(Failure{failure});
        if (!target) {
            status = verdict(false, target.message());
        } else {
            const std::string& face = run.assets().systemFont->faceUsed;
            line("font:", face.empty() ? "none found for \"Verdana\"" : "\"Verdana\" drawn with \"" + face + "\"");
            screen.setTarget(&target.value());
            const double rate = ribbonRate(g, run);
            char text[160];
            std::snprintf(text, sizeof text, "%dx%d, median %.1f frames per second over %.0f s (the display: %d Hz)",
                          settings.width, settings.height, rate, kMeasuredSeconds, refresh);
            line("ribbons:", text);
            status = rate >= refresh ? verdict(true, "the heaviest scene keeps up with the display")
                                     : verdict(false, "the heaviest scene is slower than the display; a smaller "
                                                      "--size or a faster GPU would help");
        }
        music.release();
    }
    closeWindow(window);
    return status;
}
