#pragma once

#include <cstdint>

// The intro's music: one track started at the end of loading and played to its end.
struct MusicPlayer {
    uint8_t playing = 0;

    // Starts the track at path; 0 on success, -1 when it cannot be played.
    int playFile(const char* path);
    // Stops the music and closes the audio output.
    void release();
};

extern MusicPlayer* musicPlayer;
