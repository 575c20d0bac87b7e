#pragma once

// The intro's window title, also the title of its message boxes.
inline constexpr const char* kWindowTitle = "Vaskel :: Orvale Invit 2011";

// Whether errors are also shown in a message box when a display exists (the capture tool,
// which runs unattended, turns this off).
extern bool fatalErrorBoxes;

// Reports an error the intro cannot go on from: one line on stderr and, where a display
// exists, a message box. The caller then ends the program with a non-zero status.
void reportFatal(const char* message);

// Gives the program standard streams where it has none of its own: a Windows GUI program
// writes to the console of the program that started it, when there is one. Called first.
void attachToConsole();

// Text for the person who started the program (usage, --help, --version): on standard error
// or output, or in a message box where neither leads anywhere (a Windows program started
// from the desktop).
void tellUser(const char* text, bool error);
