// orvale-pictures OUTDIR: draws the intro's pictures into OUTDIR.
#include <cstdio>
#include <string>

#include "Pictures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvale-pictures OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!drawBanner(dir + "/banner.png")) {
        std::fprintf(stderr, "orvale-pictures: cannot write %s/banner.png\n", dir.c_str());
        return 1;
    }
    return 0;
}
