#pragma once

#include <SDL.h>

class Intro;
class Presenter;

// Runs until the intro ends, Escape is pressed or the window is closed: pumps window events
// and, whenever none is waiting, draws the next frame, shows it scaled to the window through the
// presenter and sleeps 1 ms.
// When swaps do not wait for the display, the loop waits so as not to draw frames faster than
// the display shows them.
// True when the intro ended by itself, false when the viewer ended it.
bool runMainLoop(SDL_Window* window, Intro& intro, Presenter& presenter);
// Takes the window events waiting; true when one of them ends the intro (Escape, closing).
bool viewerEndsIntro();
