#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

// A progress bar on the terminal for a long capture: percentage, frames done of the total,
// frames per second and the time left, redrawn a few times a second on one line. Silent
// when stderr is not a terminal.
class Progress {
public:
    explicit Progress(size_t total);
    void frame(size_t done);
    // Ends the bar's line early, before a message.
    void breakLine();

private:
    size_t total_;
    bool tty_;
    bool drawn_ = false;  // a bar is on the line
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
};
