#include "platform/win32/AnimatedPicture.h"

#include "platform/win32/UniqueHandle.h"

#include <algorithm>

namespace quillmere::win32 {
namespace {

constexpr UINT_PTR kStepTimerId = 1;

std::int64_t NowMs() {
    return static_cast<std::int64_t>(::GetTickCount64());
}

} // namespace

bool AnimatedPicture::RegisterWindowClass() {
    return WindowBase::RegisterWindowClass(kAnimatedPictureClass, nullptr);
}

AnimatedPicture::~AnimatedPicture() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
    }
}

bool AnimatedPicture::Create(HWND parent, int id, int left, int top, int width, int height) {
    if (!RegisterWindowClass()) {
        return false;
    }
    return CreateFor(0, kAnimatedPictureClass, "", WS_CHILD | WS_VISIBLE, left, top, width, height,
                     parent, id) != nullptr;
}

void AnimatedPicture::SetAnimation(Animation animation) {
    m_animation = std::move(animation);
    Rewind();
}

void AnimatedPicture::Rewind() {
    m_shownFrame = 0;
    m_scheduler.Stop();
    m_clockStarted = false;
    if (m_window != nullptr) {
        ::KillTimer(m_window, kStepTimerId);
        ::InvalidateRect(m_window, nullptr, FALSE);
    }
}

// The animation's clock starts when its first frame is first painted, so that
// a picture set while the window is still hidden starts from frame 1 once seen.
void AnimatedPicture::StartClock() {
    std::vector<int> delays;
    for (const AnimationFrame& frame : m_animation.Frames) {
        delays.push_back(EffectiveDelayMs(frame.DelayCentiseconds));
    }
    m_scheduler.Start(std::move(delays), m_animation.LoopCount, NowMs());
    m_clockStarted = true;
    ScheduleNextStep();
}

// One-shot steps: each timer tick looks at the clock, shows the frame due
// now (skipping any a busy thread missed) and sets the timer for the next.
void AnimatedPicture::Step() {
    ::KillTimer(m_window, kStepTimerId);
    const int frame = m_scheduler.FrameAt(NowMs());
    if (frame != m_shownFrame) {
        m_shownFrame = frame;
        ::InvalidateRect(m_window, nullptr, FALSE);
    }
    ScheduleNextStep();
}

void AnimatedPicture::ScheduleNextStep() {
    const std::int64_t now = NowMs();
    const std::optional<std::int64_t> next = m_scheduler.NextChangeAfter(now);
    if (!next) {
        ::KillTimer(m_window, kStepTimerId);
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(*next - now, USER_TIMER_MINIMUM);
    ::SetTimer(m_window, kStepTimerId, static_cast<UINT>(wait), nullptr);
}

void AnimatedPicture::Paint() {
    PaintScope paint(m_window);
    RECT client{};
    ::GetClientRect(m_window, &client);
    if (!HasAnimation()) {
        HWND parent = ::GetParent(m_window);
        auto brush = reinterpret_cast<HBRUSH>(::GetClassLongPtrA(parent, GCLP_HBRBACKGROUND));
        ::FillRect(paint.Dc(), &client,
                   brush != nullptr ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // Pixels are 0x00RRGGBB, which in memory is the blue, green, red, unused
    // byte order of a 32-bit DIB; a negative height makes the rows top-down.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_animation.Width;
    info.bmiHeader.biHeight = -m_animation.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (!m_clockStarted) {
        StartClock();
    }
    const AnimationFrame& frame = m_animation.Frames[static_cast<std::size_t>(m_shownFrame)];
    // Stretched when the layout is scaled for the screen's DPI; 1:1 at 96 DPI.
    ::SetStretchBltMode(paint.Dc(), COLORONCOLOR);
    ::StretchDIBits(paint.Dc(), 0, 0, client.right, client.bottom, 0, 0, m_animation.Width,
                    m_animation.Height, frame.Pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT AnimatedPicture::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kStepTimerId) {
            Step();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_window, kStepTimerId);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcA(m_window, message, wParam, lParam);
}

} // namespace quillmere::win32
