#pragma once

// Cartoon speech bubbles over Scenes B to F, one set per scene (0 to 4).
void loadSpeechBubbles();
void drawSpeechBubbles(float p, int set);
void releaseSpeechBubbles();
