#pragma once

// The intro's window title, also the title of its message boxes.
inline constexpr const char* kWindowTitle = "Vaskel :: Orvale Invit 2011";

// How a program tells people what is wrong.
struct MessageStyle {
    bool boxes = true;    // errors also in a message box where a display exists (not unattended)
    bool streams = true;  // standard output and error lead somewhere
};

// Reports an error the intro cannot go on from: one line on stderr and, where the style asks
// for it and a display exists, a message box. The caller then ends the program with a non-zero
// status.
void reportFatal(const char* message, const MessageStyle& style);

// Gives the program standard streams where it has none of its own: a Windows GUI program
// writes to the console of the program that started it, when there is one. Called first;
// says whether the streams lead anywhere.
MessageStyle attachToConsole();

// Text for the person who started the program (usage, --help, --version): on standard error
// or output, or in a message box where neither leads anywhere (a Windows program started
// from the desktop).
void tellUser(const char* text, bool error, const MessageStyle& style);
