#pragma once

// The intro's window title, also the title of its message boxes.
inline constexpr const char* kWindowTitle = "Vaskel :: Orvale Invit 2011";

// Whether errors are also shown in a message box when a display exists (the capture tool,
// which runs unattended, turns this off).
extern bool fatalErrorBoxes;

// Reports an error the intro cannot go on from: one line on stderr and, where a display
// exists, a message box. The caller then ends the program with a non-zero status.
void reportFatal(const char* message);
