#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

class Gfx;

// The frame just drawn into the bound framebuffer as RGBA bytes, bottom row first.
void readPixels(Gfx& g, int width, int height, std::vector<uint8_t>& rgba);
// The frame just drawn into the bound framebuffer, as a Cairo picture (top row first).
cairo_surface_t* readFrame(Gfx& g, int width, int height);

// A grid of small frames with their times written under them.
class Storyboard {
public:
    Storyboard(int cells, int frameWidth, int frameHeight);
    ~Storyboard();
    Storyboard(const Storyboard&) = delete;
    Storyboard& operator=(const Storyboard&) = delete;

    // Puts the frame into the next cell, labelled with its demo time.
    void add(cairo_surface_t* frame, int timeMs);
    bool write(const std::string& path);

private:
    int columns_;
    int cellWidth_;
    int cellHeight_;
    int filled_ = 0;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};
