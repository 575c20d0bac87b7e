#include "app/Controls.h"

#include <algorithm>

#include "app/Frame.h"
#include "timeline/Timeline.h"

int32_t lastSeekableMoment() { return frameTime(catchUpFrames(sceneWindow(TimeWindow::End).start) - 1); }

std::optional<int32_t> seekTarget(Control control, int32_t t, bool paused)
{
    const auto within = [](int64_t ms) {
        return static_cast<int32_t>(std::clamp<int64_t>(ms, 0, lastSeekableMoment()));
    };
    const size_t shown = chapterIndexAt(t);
    switch (control) {
    case Control::PlayPause:
        return std::nullopt;
    case Control::Back:
        return within(int64_t{t} - kSeekStepMs);
    case Control::On:
        return within(int64_t{t} + kSeekStepMs);
    case Control::ChapterStart:
        if (t - kChapters[shown].start() < kChapterBackWithinMs && shown > 0) return kChapters[shown - 1].start();
        return kChapters[shown].start();
    case Control::NextChapter:
        if (shown + 1 >= std::size(kChapters)) return std::nullopt;
        return kChapters[shown + 1].start();
    case Control::Start:
        return 0;
    case Control::FrameOn:
        // The first grid frame after t: the grid's frames up to t are those below t + 1.
        if (!paused) return std::nullopt;
        return within(frameTime(catchUpFrames(t + 1)));
    case Control::FrameBack:
        // The last grid frame before t.
        if (!paused) return std::nullopt;
        return within(frameTime(int64_t{catchUpFrames(t)} - 1));
    }
    return std::nullopt;
}
