#pragma once

#include <cstdint>

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

// The grey level of the clear colour, read once at the start of every frame; scenes and
// the composition write it for the frames after theirs.
extern float ClearLevel;

// False: every frame is composed as usual (render targets bound and cleared, filter passes,
// speech bubbles, the overlay) but the scenes and text pages draw nothing. The benchmarks
// measure this floor, the cost of the composition alone, against the full frames.
extern bool scenesDrawn;

// One window that runs at a given time (numbered 1 to 12 as in the table) and its progress.
struct WindowRun {
    int window;
    float progress;
};

// The windows that contain t, in the order they are composed: 1, 2, 4, 3, 6, 5, 7, 12
// (the text pages 8 to 11 are composed inside 7). Returns how many were written.
int windowsAt(int32_t t, WindowRun (&runs)[8]);

// Composes the whole frame for demo time t into the window's framebuffer.
void drawFrame(int32_t t);
