#pragma once
// A progress line on a terminal's standard error, redrawn when the percentage changes;
// silent when standard error is not a terminal.
#include <unistd.h>

#include <cstdio>
#include <string>

namespace tarn {

class TerminalProgress {
public:
    TerminalProgress() : enabled_(::isatty(STDERR_FILENO) == 1) {}
    ~TerminalProgress() { finish(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;
    void operator()(const std::string& stage, int value, int maximum) {
        if (!enabled_ || maximum <= 0) return;
        const int percent = int(100.0 * value / maximum);
        if (stage == stage_ && percent == percent_) return;
        if (stage != stage_) finish();
        stage_ = stage;
        percent_ = percent;
        std::fprintf(stderr, "\r%s %3d%%", stage.c_str(), percent);
        std::fflush(stderr);
        shown_ = true;
    }
    void finish() {
        if (shown_) std::fprintf(stderr, "\r%*s\r", int(stage_.size()) + 6, "");
        shown_ = false;
        stage_.clear();
    }

private:
    bool enabled_;
    bool shown_ = false;
    std::string stage_;
    int percent_ = -1;
};

}  // namespace tarn
