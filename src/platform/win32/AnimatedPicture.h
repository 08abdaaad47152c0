#pragma once

#include "app/FrameScheduler.h"
#include "app/GifAnimation.h"
#include "platform/win32/WindowBase.h"

#include <windows.h>

namespace quillmere::win32 {

inline constexpr const char* kAnimatedPictureClass = "QuillmereAnimatedPicture";

// A child window that shows an animation stretched over its client area and
// plays it by itself: a window timer on the user-interface thread steps the
// frames at their delays and loops as the animation's loop count says.
// Without an animation it shows the parent's background.
class AnimatedPicture : public WindowBase<AnimatedPicture> {
public:
    // Idempotent; Create calls it.
    static bool RegisterWindowClass();

    AnimatedPicture() = default;
    ~AnimatedPicture();

    // Creates the control as a visible child of `parent`, registering the
    // window class on first use; false when the window system refuses.
    // Rectangle in the parent's client coordinates.
    bool Create(HWND parent, int id, int left, int top, int width, int height);

    // Takes the animation over and stops the one shown before. The new one
    // plays from its first frame, counted from when that frame is first painted.
    void SetAnimation(Animation animation);

    // Stops the frames while the picture is out of sight; it plays again from
    // its first frame when next painted.
    void Rewind();

    bool HasAnimation() const { return !m_animation.Frames.empty(); }
    int FrameCount() const { return static_cast<int>(m_animation.Frames.size()); }
    // 0-based index of the frame on show.
    int CurrentFrame() const { return m_shownFrame; }

private:
    friend class WindowBase<AnimatedPicture>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void StartClock();
    void Step();
    void ScheduleNextStep();
    void Paint();

    Animation m_animation;
    FrameScheduler m_scheduler;
    int m_shownFrame = 0;
    bool m_clockStarted = false;
};

} // namespace quillmere::win32
