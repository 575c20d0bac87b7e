#include "Progress.h"

#include <unistd.h>

#include <string>

Progress::Progress(size_t total)
    : total_(total), tty_(isatty(STDERR_FILENO)), start_(std::chrono::steady_clock::now()), lastDrawn_(start_)
{
}

void Progress::frame(size_t done)
{
    if (!tty_) return;
    const auto now = std::chrono::steady_clock::now();
    if (done != total_ && now - lastDrawn_ < std::chrono::milliseconds(200)) return;
    lastDrawn_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double fps = seconds > 0 ? done / seconds : 0;
    const double fraction = total_ ? static_cast<double>(done) / total_ : 1;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(fraction * kWidth);
    const std::string bar = std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(kWidth - filled), '.');
    char left[32] = "--:--";
    if (fps > 0) {
        const long remaining = static_cast<long>((total_ - done) / fps + 0.5);
        std::snprintf(left, sizeof left, "%ld:%02ld", remaining / 60, remaining % 60);
    }
    std::fprintf(stderr, "\r[%s] %3d %%  %zu/%zu frames  %.1f fps  %s left ", bar.c_str(),
                 static_cast<int>(fraction * 100), done, total_, fps, left);
    drawn_ = done != total_;
    if (!drawn_) std::fputc('\n', stderr);
    std::fflush(stderr);
}

void Progress::breakLine()
{
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}
