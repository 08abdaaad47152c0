#include "FrameScheduler.h"

#include <algorithm>

namespace quillmere {

int EffectiveDelayMs(int delayCentiseconds) {
    return delayCentiseconds <= 1 ? 100 : delayCentiseconds * 10;
}

void FrameScheduler::Start(std::vector<int> frameDelaysMs, int loopCount, std::int64_t startMs) {
    m_delaysMs = std::move(frameDelaysMs);
    for (int& delay : m_delaysMs) {
        delay = std::max(delay, 1);
    }
    m_periodMs = 0;
    for (int delay : m_delaysMs) {
        m_periodMs += delay;
    }
    m_plays = loopCount == 0 ? 0 : (loopCount < 0 ? 1 : loopCount + 1);
    m_startMs = startMs;
}

void FrameScheduler::Stop() {
    m_delaysMs.clear();
    m_periodMs = 0;
}

int FrameScheduler::FrameAt(std::int64_t nowMs) const {
    return Locate(nowMs).Frame;
}

std::optional<std::int64_t> FrameScheduler::NextChangeAfter(std::int64_t nowMs) const {
    return Locate(nowMs).NextChange;
}

FrameScheduler::Position FrameScheduler::Locate(std::int64_t nowMs) const {
    if (m_delaysMs.empty()) {
        return {0, std::nullopt};
    }
    const int lastFrame = static_cast<int>(m_delaysMs.size()) - 1;
    if (lastFrame == 0) {
        return {0, std::nullopt};
    }
    const std::int64_t elapsed = std::max<std::int64_t>(nowMs - m_startMs, 0);
    const std::int64_t play = elapsed / m_periodMs;
    if (m_plays != 0 && play >= m_plays) {
        return {lastFrame, std::nullopt};
    }
    std::int64_t frameEnd = m_startMs + play * m_periodMs;
    for (int frame = 0; frame <= lastFrame; ++frame) {
        frameEnd += m_delaysMs[static_cast<std::size_t>(frame)];
        if (m_startMs + elapsed < frameEnd) {
            const bool finalFrame = frame == lastFrame && m_plays != 0 && play + 1 == m_plays;
            return {frame, finalFrame ? std::nullopt : std::optional<std::int64_t>(frameEnd)};
        }
    }
    return {lastFrame, std::nullopt};
}

} // namespace quillmere
