#pragma once

// Scene D, 60 to 88.23 s, drawn twice a frame: the environment pass into the scene target,
// then the shape pass (the metaball surface) into the filter target.
void initMetaballScene();
void drawMetaballScene(float t, bool shapePass);
void releaseMetaballScene();
