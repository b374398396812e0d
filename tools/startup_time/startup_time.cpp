// Start-up time of a window program on the current X display: how long after the program
// is started a top-level window with a given title is mapped, over several runs, with the
// median. The program is ended (SIGTERM) as soon as its window is seen.
//
//   startup_time [--runs N] [--title TITLE] [--timeout MS] -- PROGRAM [ARGUMENTS...]
//
// The clock starts just before the program is forked; a window counts when X reports it
// mapped (MapNotify on the window itself), which is when a window manager has placed it.
// A splash window never counts as the titled one; the first window of any kind (a splash)
// is timed as well.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The window's title: _NET_WM_NAME (UTF-8), else WM_NAME.
std::string titleOf(Display* display, Window window) {
    static const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (const auto& [property, type] : {std::pair{netName, utf8}, std::pair{XA_WM_NAME, XA_STRING}}) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual, &format,
                               &count, &after, &data) == Success &&
            data != nullptr) {
            std::string text(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (actual == type && format == 8)
                return text;
        }
    }
    return {};
}

// Whether the window calls itself a splash (its first _NET_WM_WINDOW_TYPE).
bool isSplash(Display* display, Window window) {
    static const Atom typeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    static const Atom splashAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE_SPLASH", False);
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool splash = false;
    if (XGetWindowProperty(display, window, typeAtom, 0, 16, False, XA_ATOM, &actual, &format,
                           &count, &after, &data) == Success &&
        data != nullptr) {
        splash = format == 32 && count > 0 && reinterpret_cast<Atom*>(data)[0] == splashAtom;
        XFree(data);
    }
    return splash;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;  // a window of the program may vanish between an event and a query
}

struct Run {
    double firstMs = -1;
    double windowMs = -1;
};

// One start of the program; windowMs stays -1 when no window appeared within the timeout.
Run runOnce(Display* display, char** argv, const std::string& title, double timeoutMs) {
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    Run run;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (child == 0) {
        // The program's own chatter (sound devices and the like) would hide the figures.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execvp(argv[0], argv);
        _exit(127);
    }
    const int fd = ConnectionNumber(display);
    while (run.windowMs < 0 && msSince(start) < timeoutMs) {
        if (XPending(display) == 0) {
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 20);
            int status = 0;
            if (waitpid(child, &status, WNOHANG) == child) {
                std::fprintf(stderr, "the program ended before its window was mapped\n");
                std::exit(1);
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify) {
            // Every new top-level window: hear of its own mapping.
            XSelectInput(display, event.xcreatewindow.window, StructureNotifyMask);
        } else if (event.type == MapNotify) {
            const double now = msSince(start);
            if (run.firstMs < 0)
                run.firstMs = now;
            if (titleOf(display, event.xmap.window) == title && !isSplash(display, event.xmap.window))
                run.windowMs = now;
        }
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int usage() {
    std::fprintf(stderr,
                 "usage: startup_time [--runs N] [--title TITLE] [--timeout MS]"
                 " -- PROGRAM [ARGUMENTS...]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10;
    std::string title = "Tomelin";
    double timeoutMs = 20000;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            return usage();
        if (arg == "--runs")
            runs = std::atoi(argv[++i]);
        else if (arg == "--title")
            title = argv[++i];
        else if (arg == "--timeout")
            timeoutMs = std::atof(argv[++i]);
        else
            return usage();
    }
    if (i >= argc || runs < 1 || timeoutMs <= 0)
        return usage();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_time: no X display (is DISPLAY set?)\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    std::vector<double> window, first;
    for (int r = 0; r < runs; ++r) {
        const Run run = runOnce(display, argv + i, title, timeoutMs);
        if (run.windowMs < 0) {
            std::fprintf(stderr, "run %d: no window \"%s\" within %.0f ms\n", r + 1,
                         title.c_str(), timeoutMs);
            return 1;
        }
        window.push_back(run.windowMs);
        first.push_back(run.firstMs);
        std::printf("run %2d: first window %.0f ms, \"%s\" %.0f ms\n", r + 1, run.firstMs,
                    title.c_str(), run.windowMs);
        std::fflush(stdout);
        usleep(200000);  // let the previous run's windows go
    }
    std::printf("median first window mapped: %.0f ms\n", median(first));
    std::printf("median \"%s\" mapped: %.0f ms (%d runs, min %.0f, max %.0f)\n", title.c_str(),
                median(window), runs, *std::min_element(window.begin(), window.end()),
                *std::max_element(window.begin(), window.end()));
    XCloseDisplay(display);
    return 0;
}
