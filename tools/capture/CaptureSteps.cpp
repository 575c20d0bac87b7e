#include "CaptureSteps.h"

#include <cstdio>

#include "FlashReport.h"
#include "app/Fatal.h"

std::unique_ptr<OffscreenIntro> openIntro(const CaptureOptions& options)
{
    OffscreenIntro::Refusal refusal;
    std::unique_ptr<OffscreenIntro> intro =
        OffscreenIntro::open(options.width, options.height, options.gl, refusal, options.fewerFlashes);
    // Unattended: errors on stderr only.
    if (!intro) reportFatal(refusal.message.c_str(), {.boxes = false});
    return intro;
}

void sayFlashes(const FlashJudgement& judgement, const CaptureOptions& options)
{
    if (judgement.passes()) return;
    std::fprintf(stderr, "orvale-capture: these frames fail the rules for flashing pictures: %s%s\n",
                 flashFailures(judgement).c_str(),
                 options.fewerFlashes ? "" : "; --fewer-flashes draws the beat calmer, within them");
}

bool outputsWritable(const std::vector<std::string>& problems)
{
    for (const std::string& problem : problems)
        if (!problem.empty()) {
            std::fprintf(stderr, "orvale-capture: %s\n", problem.c_str());
            return false;
        }
    return true;
}
