// orvale-pictures GFXDIR BANNER ICON: draws every picture of the intro into GFXDIR, the setup
// dialog's banner to the file BANNER and the program's icon to ICON. The same code always
// gives the same bytes.
#include <cstdio>
#include <string>

#include "Pictures.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: orvale-pictures GFXDIR BANNER ICON\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = drawBitmapFont(dir) && drawLogoLayers(dir) && drawScreenEffects(dir) && drawTunnelWall(dir) &&
                    drawSpeechBubbles(dir) && drawPoster(dir) && drawBanner(argv[2]) && drawIcon(argv[3]);
    if (!ok) {
        std::fprintf(stderr, "orvale-pictures: cannot write the pictures into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
