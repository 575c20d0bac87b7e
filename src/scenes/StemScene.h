#pragma once

// Scene C, 30 to 60 s: stems that grow and withdraw, beating with the music.
void initStemScene();
void drawStemScene(float p);
