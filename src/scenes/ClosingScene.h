#pragma once

// The closing picture on a white page, 145 to 207 s, under the invitation text pages; its
// initialisation also prepares the greeting emitters that Scene E draws.
void initClosingScene();
void drawClosingScene(float p);
void releaseClosingScene();
