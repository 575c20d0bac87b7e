#pragma once

// Scene E, 88.23 to 115.36 s: ribbons of lit cubes, the floating greetings, a white flash.
void initRibbonScene();
void drawRibbonScene(float t);
