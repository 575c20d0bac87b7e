#include <cstdio>

#include "CaptureSteps.h"

// Videos are encoded by the ffmpeg program, which only the Linux build drives.
int captureVideo(const CaptureOptions&)
{
    std::fprintf(stderr, "orvale-capture: videos are made with the Linux build of orvale-capture; this one writes "
                         "frames (--at), storyboards and frame sequences (--frames)\n");
    return 2;
}
