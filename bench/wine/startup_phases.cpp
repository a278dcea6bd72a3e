// StartupPhases.exe: Tarvello's start-up as WinMain runs it, with the time of each phase and, inside the
// start-up sequence, the time spent in DDE calls and in window-tree calls. Run beside the stand-ins, from a
// folder of its own (it writes Error.log and its INI file there like Tarvello). Prints one "phase ms" line each.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "app/control_window_builder.h"
#include "app/win32_control_window.h"
#include "app/win32_services.h"
#include "control_window/tarvello_program.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_window_tree.h"

namespace {

using namespace tarvello;

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Adds the time of each call to a total.
class Stopwatch {
public:
    explicit Stopwatch(double& total) : total_(total), start_(NowMs()) {}
    ~Stopwatch() { total_ += NowMs() - start_; }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

private:
    double& total_;
    double start_;
};

class TimedDde : public Dde {
public:
    explicit TimedDde(Dde& inner) : inner_(inner) {}
    std::unique_ptr<DdeLink> OpenHotLink(const DdeItemName& name, DdeLinkHandlers handlers) override {
        ++links;
        Stopwatch watch(linkMs);
        return inner_.OpenHotLink(name, std::move(handlers));
    }
    std::unique_ptr<DdeTopicRegistration> RegisterTopic(const std::wstring& application,
                                                        const std::wstring& topic,
                                                        const std::wstring& windowCaption,
                                                        DdeTopicHandler& handler) override {
        Stopwatch watch(topicMs);
        return inner_.RegisterTopic(application, topic, windowCaption, handler);
    }
    int links = 0;
    double linkMs = 0;
    double topicMs = 0;

private:
    Dde& inner_;
};

class TimedWindowTree : public WindowTree {
    template <typename Call>
    auto Time(Call call) {
        Stopwatch watch(ms);
        return call();
    }

public:
    explicit TimedWindowTree(WindowTree& inner) : inner_(inner) {}
    WindowHandle DesktopWindow() override {
        return Time([&] { return inner_.DesktopWindow(); });
    }
    WindowHandle FirstChild(WindowHandle w) override {
        return Time([&] { return inner_.FirstChild(w); });
    }
    WindowHandle NextSibling(WindowHandle w) override {
        return Time([&] { return inner_.NextSibling(w); });
    }
    std::wstring ClassName(WindowHandle w, int chars) override {
        ++windows;
        return Time([&] { return inner_.ClassName(w, chars); });
    }
    int TitleLength(WindowHandle w) override {
        return Time([&] { return inner_.TitleLength(w); });
    }
    std::wstring Title(WindowHandle w, int chars) override {
        return Time([&] { return inner_.Title(w, chars); });
    }
    WindowHandle Parent(WindowHandle w) override {
        return Time([&] { return inner_.Parent(w); });
    }
    bool IsWindow(WindowHandle w) override {
        return Time([&] { return inner_.IsWindow(w); });
    }
    bool BelongsToThisProgram(WindowHandle w) override {
        return Time([&] { return inner_.BelongsToThisProgram(w); });
    }
    bool PostToWindow(WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) override {
        return Time([&] { return inner_.PostToWindow(w, m, wp, lp); });
    }
    bool ActivateByTitle(const std::wstring& title) override {
        return Time([&] { return inner_.ActivateByTitle(title); });
    }
    int windows = 0;
    double ms = 0;

private:
    WindowTree& inner_;
};

void Print(const char* phase, double ms) {
    std::printf("%-34s %8.1f\n", phase, ms);
}

// Milliseconds since the process was created, by the system clock.
double SinceProcessCreatedMs() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

}  // namespace

int main() {
    Print("process start to main", SinceProcessCreatedMs());
    double mark = NowMs();
    auto lap = [&mark] {
        const double now = NowMs();
        const double ms = now - mark;
        mark = now;
        return ms;
    };
    SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Print("common controls", lap());
    {
        // The fonts alone, as the window makes them first (a second making, then, of what follows).
        { app::ControlWindowBuilder fonts(96); }
        Print("  caption fonts, made apart", lap());
        app::Win32Services services;
        Print("Windows services", lap());
        TimedDde dde(services.dde);
        TimedWindowTree windows(services.windows);
        const Platform platform = services.With(dde, windows);
        app::Win32ControlWindow window;
        Print("control window created", lap());
        TarvelloProgram program(platform, window);
        program.MainWindow().Start();
        const double load = lap();
        Print("start-up sequence", load);
        Print("  of which window walk", windows.ms);
        std::printf("    (%d windows)\n", windows.windows);
        Print("  of which DDE links", dde.linkMs);
        std::printf("    (%d links)\n", dde.links);
        Print("  of which own DDE topic", dde.topicMs);
        Print("  of which the rest", load - windows.ms - dde.linkMs - dde.topicMs);
        if (program.MainWindow().Closed()) {
            std::printf("start-up closed the window: is the logger stand-in running?\n");
            return 1;
        }
        window.Show();
        Print("window shown", lap());
        program.MainWindow().ShutDown();
        window.Destroy();
    }
    return 0;
}
