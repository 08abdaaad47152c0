#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace quillmere {

// The delay a frame is shown for, in milliseconds, from its GIF delay in
// hundredths of a second. Delays of 0 and 1 are shown as 100 ms, as web
// browsers do, so that a careless file does not spin the timer.
int EffectiveDelayMs(int delayCentiseconds);

// Which frame of an animation is on show at a given time, and when the next
// change is due. Times are milliseconds on any steady clock; the animation
// counts from the time it is started. Starting again replaces whatever ran
// before and begins at frame 0.
class FrameScheduler {
public:
    // loopCount as in a GIF's loop extension: 0 repeats for ever, n plays the
    // frames n + 1 times, -1 (no extension) plays them once. The last frame
    // stays on show once the plays are over.
    void Start(std::vector<int> frameDelaysMs, int loopCount, std::int64_t startMs);
    void Stop();
    bool IsRunning() const { return !m_delaysMs.empty(); }

    // 0-based; 0 when nothing runs.
    int FrameAt(std::int64_t nowMs) const;

    // When the frame shown at nowMs gives way to the next one; nothing when
    // the picture no longer changes (stopped, a single frame, plays over).
    std::optional<std::int64_t> NextChangeAfter(std::int64_t nowMs) const;

private:
    struct Position {
        int Frame;
        std::optional<std::int64_t> NextChange;
    };
    Position Locate(std::int64_t nowMs) const;

    std::vector<int> m_delaysMs;
    std::int64_t m_periodMs = 0;
    int m_plays = 0; // 0: for ever
    std::int64_t m_startMs = 0;
};

} // namespace quillmere
