#pragma once

#include <string>

#include "FlashRules.h"

// What a flash analysis says, in words and as a table.

// What was analysed, for the report's heading.
struct FlashSpanInfo {
    int width = 0, height = 0, fps = 0;
    int fromMs = 0, toMs = 0;  // the span of demo time, its end not included
    bool fewerFlashes = false;
};

// The report: a heading, one line per second of demo time (its end in seconds, the luminance
// and red transitions in the second ending there, the most in any second ending within it and
// the verdict), tab-separated, then the failing stretches or that it passes.
std::string flashReport(const FlashJudgement& judgement, const FlashSpanInfo& span);

// The failing stretches in one line: "luminance flashes 37.4-45.4 s (up to 19 transitions a
// second), ..."; empty when it passes.
std::string flashFailures(const FlashJudgement& judgement);
