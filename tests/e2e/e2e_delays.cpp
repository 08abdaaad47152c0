// End-to-end probe of the reveal and hide delays and the drag rule in
// quillmere.exe against the demo host, driven by the real pointer and mouse
// button: started beside a ZC.reg with ShowDelay=500 and HideDelay=500 in mode
// "Together", the pointer on Layers' strip for 200 ms reveals nothing and for
// 900 ms reveals it; off the palettes for 200 ms and back hides nothing; a
// left button pressed over the shown palette and the pointer moved to the
// canvas keep it shown until the button is released, and the hide delay runs
// from the release. Prints one line per check and, last, "PASS" or "FAIL".
//
// With QUILLMERE_E2E_LATENCY_TRIALS=N in the environment it also measures the
// reveal latency (the pointer reaching the strip to the palette in place)
// over N trials with ShowDelay 0 and then 500, and prints the median and the
// maximum.

#include "AppProcess.h"
#include "DemoDesktop.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace probe;

const char* const kSettingsFile = "ZC.reg";
// Over the host's main window, clear of every palette and band.
constexpr POINT kCanvas{300, 950};
constexpr DWORD kSettleMs = 2000;
constexpr DWORD kPollMs = 2;

double NowMs() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// How long it took until `done` held, or -1 when it did not within timeoutMs.
template <typename Done> double MsUntil(Done done, double timeoutMs) {
    const double start = NowMs();
    for (;;) {
        const double took = NowMs() - start;
        if (done()) {
            return took;
        }
        if (took >= timeoutMs) {
            return -1;
        }
        ::Sleep(kPollMs);
    }
}

// Whether `holds` stayed true for the whole of durationMs.
template <typename Holds> bool HoldsFor(Holds holds, double durationMs) {
    return MsUntil([&] { return !holds(); }, durationMs) < 0;
}

void Button(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(input));
}

class Probe {
public:
    explicit Probe(const Found& layers) : m_layers(layers) {}

    bool Shown() const { return StandsShown(m_layers); }
    bool Hidden() const { return StandsHidden(m_layers); }
    POINT Strip() const { return StripPoint(*m_layers.Layout); }

    // The pointer to the canvas and Layers out again.
    bool Reset() const {
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        return MsUntil([&] { return Hidden(); }, kSettleMs) >= 0;
    }

    void Delays() const {
        ::SetCursorPos(Strip().x, Strip().y);
        bool hidden = HoldsFor([&] { return Hidden(); }, 200);
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        hidden = hidden && HoldsFor([&] { return Hidden(); }, 700);
        Check(hidden, "on the strip for 200 ms, then on the canvas: Layers stays out for 900 ms");

        ::SetCursorPos(Strip().x, Strip().y);
        const double revealed = MsUntil([&] { return Shown(); }, 900);
        Check(revealed >= 400,
              Format("on the strip for 900 ms: Layers comes in after %.0f ms", revealed));

        ::SetCursorPos(kCanvas.x, kCanvas.y);
        bool shown = HoldsFor([&] { return Shown(); }, 200);
        ::SetCursorPos(Strip().x, Strip().y);
        shown = shown && HoldsFor([&] { return Shown(); }, 900);
        Check(shown, "on the canvas for 200 ms and back: Layers stays in for 1100 ms");
    }

    void Drag() const {
        Button(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(250);
        ::SetCursorPos(kCanvas.x, kCanvas.y);
        const bool kept = HoldsFor([&] { return Shown(); }, 1500);
        Check(kept, "left button pressed over Layers, pointer on the canvas: it stays in for "
                    "1500 ms while the button is held");
        Button(MOUSEEVENTF_LEFTUP);
        const double hidden = MsUntil([&] { return Hidden(); }, kSettleMs);
        Check(hidden >= 400, Format("button released: Layers goes out %.0f ms later", hidden));
    }

    // The reveal latency over `trials` moves onto the strip; each starts with
    // Layers out and the pointer on the canvas.
    void Latency(int trials, const char* what) const {
        std::vector<double> latencies;
        for (int i = 0; i < trials && Reset(); ++i) {
            // Somewhere within a tick, so that the trials sample its phase.
            ::Sleep(static_cast<DWORD>(150 + (i * 37) % 100));
            ::SetCursorPos(Strip().x, Strip().y);
            const double took = MsUntil([&] { return Shown(); }, kSettleMs);
            if (took < 0) {
                break;
            }
            latencies.push_back(took);
        }
        std::sort(latencies.begin(), latencies.end());
        const bool measured = static_cast<int>(latencies.size()) == trials;
        Check(measured,
              Format("reveal latency with %s over %d trials: median %.0f ms, maximum "
                     "%.0f ms, minimum %.0f ms",
                     what, static_cast<int>(latencies.size()),
                     measured ? latencies[latencies.size() / 2] : -1.0,
                     measured ? latencies.back() : -1.0, measured ? latencies.front() : -1.0));
    }

private:
    const Found& m_layers;
};

int LatencyTrials() {
    char text[16] = {};
    ::GetEnvironmentVariableA("QUILLMERE_E2E_LATENCY_TRIALS", text, sizeof(text));
    return std::atoi(text);
}

bool StartWithDelays(RunningApp& app, const AppFolder& folder, const char* show, const char* hide) {
    const bool written = folder.WriteEntry(kSettingsFile, "Info", "Enabled", "Yes") &&
                         folder.WriteEntry(kSettingsFile, "Info", "FWoption", "Together") &&
                         folder.WriteEntry(kSettingsFile, "Info", "ShowDelay", show) &&
                         folder.WriteEntry(kSettingsFile, "Info", "HideDelay", hide);
    const bool started =
        written && app.Start(folder.Program(), folder.Directory()) && app.MainWindow() != nullptr;
    Check(started, Format("quillmere.exe is up with ShowDelay=%s, HideDelay=%s", show, hide));
    return started;
}

} // namespace

int main() {
    std::vector<Found> found;
    if (!WaitForDemoHost(found)) {
        return Verdict();
    }
    const auto layers =
        std::find_if(found.begin(), found.end(), [](const Found& f) { return f.Is("Layers"); });
    ::SetCursorPos(kCanvas.x, kCanvas.y);
    const AppFolder folder("quillmere_e2e_delays");
    Check(folder.CopyProgram(), "copied " + BuiltProgramPath() + " to " + folder.Program());
    const Probe probe(*layers);
    {
        RunningApp app;
        if (StartWithDelays(app, folder, "500", "500")) {
            Check(probe.Reset(), "the first scan slid Layers out");
            probe.Delays();
            probe.Drag();
            if (const int trials = LatencyTrials(); trials > 0) {
                probe.Latency(trials, "ShowDelay=500");
            }
        }
    }
    if (const int trials = LatencyTrials(); trials > 0) {
        RunningApp app;
        if (StartWithDelays(app, folder, "0", "0")) {
            probe.Latency(trials, "ShowDelay=0");
        }
    }
    return Verdict();
}
