// The line a long run keeps up to date on a terminal while it works: the frames done of how many,
// the rate, the time left and what the run watches. Where stderr is no terminal (CI, a pipe, a
// file) it writes nothing, so that what reads the output gets what it always got.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace hudhost {

class Progress {
public:
    // For a run named `run` ("soak") of at most `total` frames.
    Progress(const char* run, long total);
    ~Progress() { finish(); }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // A frame is done. The line is written at the first, a few times a second after it, and at
    // the last.
    void advance() {
        if (shown_) step();
    }

    // What the run watches, shown from the next line on ("resident 52.31 MiB").
    void watch(std::string watched) { watched_ = std::move(watched); }

    // Clears the line, so that the run's own lines stand where it was.
    void finish();

private:
    void step();
    void write(const std::string& line);

    const char* run_;
    long total_;
    long done_ = 0;
    bool shown_;
    std::string watched_;
    std::size_t written_ = 0;  // the length of the line on the terminal
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point nextLine_;
};

}  // namespace hudhost
