#include "text/BitmapFont.h"

GLuint fontPicture = 0;
GLuint fontListBase = 0;

void buildBitmapFont(int, double) {}
