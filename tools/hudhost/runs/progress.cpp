#include "runs/progress.h"

#include <cstdio>

#include "terminal.h"

namespace hudhost {
namespace {

// Often enough to see it move, seldom enough not to cost the run.
constexpr std::chrono::milliseconds kLineEvery{250};

// "4 min 18 s", "12 s".
std::string duration(double seconds) {
    const long whole = static_cast<long>(seconds + 0.5);
    const std::string s = std::to_string(whole % 60) + " s";
    return whole < 60 ? s : std::to_string(whole / 60) + " min " + s;
}

}  // namespace

Progress::Progress(const char* run, long total)
    : run_(run),
      total_(total),
      shown_(isTerminal(stderr)),
      start_(std::chrono::steady_clock::now()),
      nextLine_(start_) {}

void Progress::step() {
    ++done_;
    const auto now = std::chrono::steady_clock::now();
    if (done_ != 1 && done_ < total_ && now < nextLine_) return;
    nextLine_ = now + kLineEvery;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    std::string line =
        std::string(run_) + ": frame " + std::to_string(done_) + " of " + std::to_string(total_);
    if (done_ > 1 && seconds > 0.0) {
        const double rate = static_cast<double>(done_) / seconds;
        char figures[64];
        std::snprintf(figures, sizeof figures, ", %.0f fps, ", rate);
        line += figures + duration(static_cast<double>(total_ - done_) / rate) + " left";
    }
    if (!watched_.empty()) line += "; " + watched_;
    write(line);
}

void Progress::write(const std::string& line) {
    // From the line's start, with spaces over what a longer line before left: every terminal does
    // a carriage return, not every one an erase.
    const std::size_t pad = written_ > line.size() ? written_ - line.size() : 0;
    std::fprintf(stderr, "\r%s%s", line.c_str(), std::string(pad, ' ').c_str());
    std::fflush(stderr);
    written_ = line.size() + pad;
}

void Progress::finish() {
    if (!shown_) return;
    if (written_ > 0) {
        write("");
        std::fputc('\r', stderr);
    }
    shown_ = false;
}

}  // namespace hudhost
