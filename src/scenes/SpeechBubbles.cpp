#include "scenes/SpeechBubbles.h"

void loadSpeechBubbles() {}
void drawSpeechBubbles(float, int) {}
void releaseSpeechBubbles() {}
