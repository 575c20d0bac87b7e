#include "text/TextPages.h"

void drawTextPage(float, int) {}
