// End-to-end probe of the mode illustrations in quillmere.exe: its "GIF"
// resources found by every spelling the callers use, decoded with the
// program's own decoder, its icon and manifest present; then the animated
// picture control plays an illustration by itself through the window timer
// and a new illustration replaces it from its first frame. The exe's
// resources are read from the exe itself, loaded as a data file. Prints one
// line per check and, last, "PASS" or "FAIL".

#include "DemoDesktop.h"
#include "app/GifAnimation.h"
#include "common/ProgramError.h"
#include "platform/win32/AnimatedPicture.h"
#include "platform/win32/GifResource.h"
#include "platform/win32/Win32IllustrationLoader.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using probe::Check;

// quillmere.exe sits at the top of the build folder, two levels above the probe.
std::string ExePath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    for (int level = 0; level < 3; ++level) {
        dir = dir.substr(0, dir.find_last_of("\\/"));
    }
    return dir + "\\quillmere.exe";
}

struct Expected {
    const char* Name;
    const char* Canonical;
    int Frames;
};

constexpr Expected kSpellings[] = {
    {"together", "TOGETHER", 2}, {"Separately", "SEPARATELY", 5}, {"Mixed", "MIXED", 5},
    {"TOGETHER", "TOGETHER", 2}, {"separately", "SEPARATELY", 5}, {"mixed", "MIXED", 5},
};

void CheckResources(HMODULE exe) {
    for (const Expected& expected : kSpellings) {
        const std::string name = expected.Name;
        try {
            const std::vector<std::uint8_t> bytes = quillmere::win32::LoadGifResource(exe, name);
            const std::vector<std::uint8_t> canonical =
                quillmere::win32::LoadGifResource(exe, expected.Canonical);
            Check(bytes == canonical && bytes.size() > 6 &&
                      std::string(bytes.begin(), bytes.begin() + 6) == "GIF89a",
                  "\"" + name + "\" finds resource " + expected.Canonical + " (" +
                      std::to_string(bytes.size()) + " bytes of GIF89a)");
            const quillmere::Animation animation = quillmere::DecodeGif(bytes);
            Check(static_cast<int>(animation.Frames.size()) == expected.Frames &&
                      animation.Width == 102 && animation.Height == 73 && animation.LoopCount == 0,
                  "\"" + name + "\" decodes to " + std::to_string(animation.Frames.size()) +
                      " frames of " + std::to_string(animation.Width) + "x" +
                      std::to_string(animation.Height) + ", loop count " +
                      std::to_string(animation.LoopCount));
        } catch (const quillmere::ProgramError& error) {
            Check(false, "\"" + name + "\": " + error.what());
        }
    }

    // The window system's own lookup folds the case of string names too.
    Check(::FindResourceA(exe, "separately", "GIF") != nullptr &&
              ::FindResourceA(exe, "SEPARATELY", "gif") != nullptr,
          "FindResourceA matches names and types without regard to case");

    bool threw = false;
    try {
        quillmere::win32::LoadGifResource(exe, "Nowhere");
    } catch (const quillmere::ProgramError&) {
        threw = true;
    }
    Check(threw, "an unknown name is reported as an error");

    HANDLE icon = ::LoadImageA(exe, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0);
    Check(icon != nullptr, "icon 1 loads at 32x32");
    if (icon != nullptr) {
        ::DestroyIcon(static_cast<HICON>(icon));
    }
    Check(::FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) != nullptr,
          "manifest resource present");
}

// Dispatches messages until `done` holds or `timeoutMs` passes.
template <typename Done> bool PumpUntil(Done done, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return true;
}

// Watches the frames the picture shows until it has been through them all
// and back to the first, or the time is up; returns the sequence seen.
std::vector<int> WatchOneLoop(const quillmere::win32::AnimatedPicture& picture, DWORD timeoutMs) {
    std::vector<int> seen{picture.CurrentFrame()};
    PumpUntil(
        [&] {
            if (picture.CurrentFrame() != seen.back()) {
                seen.push_back(picture.CurrentFrame());
            }
            return static_cast<int>(seen.size()) > picture.FrameCount();
        },
        timeoutMs);
    return seen;
}

std::string Sequence(const std::vector<int>& frames) {
    std::string text;
    for (int frame : frames) {
        if (!text.empty()) {
            text.push_back(',');
        }
        text.append(std::to_string(frame + 1));
    }
    return text;
}

bool IsFullLoop(const std::vector<int>& seen, int frameCount) {
    if (static_cast<int>(seen.size()) != frameCount + 1) {
        return false;
    }
    for (int i = 0; i < frameCount; ++i) {
        if (seen[static_cast<std::size_t>(i)] != i) {
            return false;
        }
    }
    return seen.back() == 0;
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void CheckAnimation(HMODULE exe) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA hostClass{};
    hostClass.cbSize = sizeof(hostClass);
    hostClass.lpfnWndProc = HostProc;
    hostClass.hInstance = instance;
    hostClass.hbrBackground = ::CreateSolidBrush(RGB(98, 138, 178));
    hostClass.lpszClassName = "IllustrationProbeHost";
    ::RegisterClassExA(&hostClass);
    Check(quillmere::win32::AnimatedPicture::RegisterWindowClass(),
          "picture window class registered");

    HWND host =
        ::CreateWindowExA(0, "IllustrationProbeHost", "Illustration probe", WS_POPUP | WS_VISIBLE,
                          100, 100, 160, 120, nullptr, nullptr, instance, nullptr);
    quillmere::win32::AnimatedPicture picture;
    Check(host != nullptr && picture.Create(host, 1, 29, 23, 102, 73), "picture control created");
    if (picture.Handle() == nullptr) {
        return;
    }
    quillmere::win32::Win32IllustrationLoader loader(exe, picture);

    loader.LoadIllustration("Mixed");
    Check(picture.FrameCount() == 5 && picture.CurrentFrame() == 0,
          "\"Mixed\" loaded: 5 frames, showing frame 1");
    std::vector<int> seen = WatchOneLoop(picture, 15000);
    Check(IsFullLoop(seen, 5),
          "\"Mixed\" plays by itself through every frame and loops: " + Sequence(seen));

    // What the control paints is the frame it says it shows: the top of the
    // lowest palette at the right edge appears only in frame 5.
    quillmere::Animation mixed =
        quillmere::DecodeGif(quillmere::win32::LoadGifResource(exe, "MIXED"));
    const int probeX = 101, probeY = 58;
    PumpUntil([&] { return picture.CurrentFrame() == 4; }, 5000);
    ::UpdateWindow(picture.Handle());
    HDC dc = ::GetDC(picture.Handle());
    const COLORREF painted = ::GetPixel(dc, probeX, probeY);
    ::ReleaseDC(picture.Handle(), dc);
    const std::uint32_t expected =
        mixed.Frames[4].Pixels[static_cast<std::size_t>(probeY * mixed.Width + probeX)];
    const std::uint32_t paintedRgb =
        (GetRValue(painted) << 16) | (GetGValue(painted) << 8) | GetBValue(painted);
    const std::uint32_t emptyRgb =
        mixed.Frames[0].Pixels[static_cast<std::size_t>(probeY * mixed.Width + probeX)];
    Check(picture.CurrentFrame() == 4 && paintedRgb == expected && expected != emptyRgb,
          "frame 5 painted at 1:1 (pixel " + std::to_string(probeX) + "," + std::to_string(probeY) +
              " is the palette's title strip)");

    // Replacing while "Mixed" is well into its loop.
    loader.LoadIllustration("together");
    Check(picture.FrameCount() == 2 && picture.CurrentFrame() == 0,
          "\"together\" replaces it from frame 1");
    seen = WatchOneLoop(picture, 10000);
    Check(IsFullLoop(seen, 2), "\"together\" loops over its own 2 frames: " + Sequence(seen));

    loader.LoadIllustration("Separately");
    Check(picture.FrameCount() == 5 && picture.CurrentFrame() == 0,
          "\"Separately\" replaces it from frame 1");
    seen = WatchOneLoop(picture, 15000);
    Check(IsFullLoop(seen, 5), "\"Separately\" plays through and loops: " + Sequence(seen));

    // Loaded while hidden, as the main window does during its creation: the
    // picture waits on frame 1 until it is first painted.
    ::ShowWindow(host, SW_HIDE);
    loader.LoadIllustration("Mixed");
    PumpUntil([] { return false; }, 1500);
    Check(picture.CurrentFrame() == 0, "hidden for 1.5 s after loading, it still shows frame 1");
    ::ShowWindow(host, SW_SHOWNOACTIVATE);
    seen = WatchOneLoop(picture, 15000);
    Check(IsFullLoop(seen, 5), "once shown it plays from frame 1: " + Sequence(seen));

    ::DestroyWindow(host);
}

} // namespace

int main() {
    const std::string exePath = ExePath();
    HMODULE exe = ::LoadLibraryExA(exePath.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    Check(exe != nullptr, "quillmere.exe loaded as a data file from " + exePath);
    if (exe == nullptr) {
        return probe::Verdict();
    }
    CheckResources(exe);
    CheckAnimation(exe);
    ::FreeLibrary(exe);
    return probe::Verdict();
}
