#pragma once

#include <cstddef>
#include <cstdint>

#include "scenes/BurningScene.h"
#include "scenes/ClosingScene.h"
#include "scenes/FrameContext.h"
#include "scenes/MetaballScene.h"
#include "scenes/OpeningScene.h"
#include "scenes/RibbonScene.h"
#include "scenes/SceneShared.h"
#include "scenes/SpeechBubbles.h"
#include "scenes/StemScene.h"
#include "scenes/TwisterScene.h"

// A time window of the intro in milliseconds; both ends belong to it.
struct SceneWindow {
    int32_t start;
    int32_t end;
};

// The twelve windows in storage order: Scenes A to F, the closing scene, its four text
// pages, and the window in which the intro ends itself.
inline constexpr SceneWindow kSceneWindows[12] = {
    {0, 14110},       {14110, 30000},   {30000, 60000},   {60000, 88230},   {88230, 115360},  {115360, 145000},
    {145000, 207000}, {148000, 163000}, {161000, 176000}, {174000, 189000}, {187000, 202000}, {206000, 207500},
};

// 0 at or before the start, 1 at or after the end, linear between.
float sceneProgress(const SceneWindow& window, int32_t t);

// The windows, numbered 1 to 12 as in the table.
enum class TimeWindow : int {
    Opening = 1,  // Scene A
    Burning,      // Scene B
    Stems,        // Scene C
    Metaballs,    // Scene D
    Ribbons,      // Scene E
    Twister,      // Scene F
    Closing,
    Page1,
    Page2,
    Page3,
    Page4,
    End,  // the intro ends itself
};
inline const SceneWindow& sceneWindow(TimeWindow w) { return kSceneWindows[static_cast<int>(w) - 1]; }

// The intro's chapters, as a viewer names them: each scene and the closing, from where its
// window begins. Videos mark them; a viewer moves between them.
struct Chapter {
    TimeWindow window;
    const char* title;
    int32_t start() const { return sceneWindow(window).start; }
};
inline constexpr Chapter kChapters[] = {
    {TimeWindow::Opening, "Opening"},           {TimeWindow::Burning, "The firepit"},
    {TimeWindow::Stems, "Everything grows"},    {TimeWindow::Metaballs, "Oldschool blobs"},
    {TimeWindow::Ribbons, "Ribbons of cubes"},  {TimeWindow::Twister, "The lattice"},
    {TimeWindow::Closing, "The invitation"},
};
// The chapter shown at demo time t (ms): the last to begin at or before it.
size_t chapterIndexAt(int32_t t);

// One window that runs at a given time and its progress.
struct WindowRun {
    TimeWindow window;
    float progress;
};

// The windows that contain t, in the order they are composed: 1, 2, 4, 3, 6, 5, 7, 12
// (the text pages 8 to 11 are composed inside 7). Returns how many were written.
int windowsAt(int32_t t, WindowRun (&runs)[8]);

// What the intro is composed of: the scenes, the shared resources they draw with, and the
// two render targets. The asset owner makes them; the timeline borrows them for a frame.
struct Stage {
    SceneShared shared;
    RenderTarget& sceneTarget;   // "SceneRT"
    RenderTarget& filterTarget;  // "FilterRT"
    SpeechBubbles& bubbles;
    OpeningScene& opening;
    BurningScene& burning;
    StemScene& stems;
    MetaballScene& metaballs;
    RibbonScene& ribbons;
    TwisterScene& twister;
    ClosingScene& closing;
    TextureId overlay;  // multiplied over every finished frame
};

// What a frame decided for what follows it.
struct FrameResult {
    float clearLevel;  // the grey level the next frame is cleared to
    bool ended;        // the intro has reached its end
};

// Composes the whole frame for the context's demo time into the framebuffer it names, over
// the grey level `clearLevel` (each render target a scene is drawn into is cleared to it), and
// multiplies it by the overlay.
FrameResult drawFrame(Gfx& g, Stage& stage, const FrameContext& frame, float clearLevel);
