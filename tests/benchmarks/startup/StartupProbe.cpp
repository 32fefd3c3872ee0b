// Starts a program and reports, in milliseconds from its exec, when a viewable window of a given
// name exists (mapped) and when a given pixel of that window first shows a given colour (painted).
//
//   startup-probe "WINDOW NAME" X Y RRGGBB PROGRAM [ARGS...]
//
// Prints "mapped_ms painted_ms mapped_cpu_ms painted_cpu_ms" on one line, the last two being the
// CPU time the program's main thread had used by then (which other load on the machine disturbs
// far less than the wall times); exits 1 when either does not happen within 15 s.

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <sys/wait.h>

namespace
{
using Clock = std::chrono::steady_clock;

bool hasName (Display* display, Window window, const std::string& name)
{
    // WM_NAME, read whatever its type (JUCE writes it as UTF8_STRING, which XFetchName refuses).
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* value = nullptr;

    if (XGetWindowProperty (display, window, XA_WM_NAME, 0, 1024, False, AnyPropertyType, &type, &format,
                            &count, &remaining, &value)
            != Success
        || value == nullptr)
        return false;

    const auto found = name == std::string (reinterpret_cast<const char*> (value), count);
    XFree (value);
    return found;
}

bool isViewable (Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes (display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

/** Depth-first search for a viewable window of that name (window managers reparent clients). */
Window findWindow (Display* display, Window parent, const std::string& name, int depth = 0)
{
    Window root, parentOut, *children = nullptr;
    unsigned int count = 0;

    if (XQueryTree (display, parent, &root, &parentOut, &children, &count) == 0)
        return 0;

    Window found = 0;

    for (unsigned int i = 0; i < count && found == 0; ++i)
    {
        if (hasName (display, children[i], name) && isViewable (display, children[i]))
            found = children[i];
        else if (depth < 3)
            found = findWindow (display, children[i], name, depth + 1);
    }

    XFree (children);
    return found;
}

bool pixelIs (Display* display, Window window, int x, int y, unsigned long rgb)
{
    auto* image = XGetImage (display, window, x, y, 1, 1, AllPlanes, ZPixmap);

    if (image == nullptr)
        return false;

    const auto pixel = XGetPixel (image, 0, 0) & 0xffffff;
    XDestroyImage (image);
    return pixel == rgb;
}

int ignoreErrors (Display*, XErrorEvent*) { return 0; }

/** CPU time of a process's main thread in milliseconds (the first field of its schedstat, in ns). */
double mainThreadCpuMilliseconds (pid_t pid)
{
    std::ifstream schedstat ("/proc/" + std::to_string (pid) + "/task/" + std::to_string (pid) + "/schedstat");
    double nanoseconds = -1.0e6;
    schedstat >> nanoseconds;
    return nanoseconds / 1.0e6;
}

double millisecondsSince (Clock::time_point start)
{
    return std::chrono::duration<double, std::milli> (Clock::now() - start).count();
}
} // namespace

int main (int argc, char** argv)
{
    if (argc < 6)
    {
        std::fprintf (stderr, "usage: %s \"WINDOW NAME\" X Y RRGGBB PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }

    const std::string name = argv[1];
    const int x = std::atoi (argv[2]), y = std::atoi (argv[3]);
    const auto colour = std::strtoul (argv[4], nullptr, 16);

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
        return 2;

    XSetErrorHandler (ignoreErrors); // windows may vanish between the query and the look

    const auto start = Clock::now();
    const auto child = fork();

    if (child == 0)
    {
        setpgid (0, 0); // a group of its own, ended together with anything it starts
        execvp (argv[5], argv + 5);
        _exit (127);
    }

    double mapped = -1, painted = -1, mappedCpu = -1, paintedCpu = -1;
    Window window = 0;

    while (painted < 0 && millisecondsSince (start) < 15000)
    {
        if (window == 0 && (window = findWindow (display, DefaultRootWindow (display), name)) != 0)
        {
            mapped = millisecondsSince (start);
            mappedCpu = mainThreadCpuMilliseconds (child);
        }

        if (window != 0 && pixelIs (display, window, x, y, colour))
        {
            painted = millisecondsSince (start);
            paintedCpu = mainThreadCpuMilliseconds (child);
        }
        else
            std::this_thread::sleep_for (std::chrono::microseconds (500));
    }

    kill (-child, SIGKILL);
    waitpid (child, nullptr, 0);
    XCloseDisplay (display);

    std::printf ("%.1f %.1f %.1f %.1f\n", mapped, painted, mappedCpu, paintedCpu);
    return painted < 0 ? 1 : 0;
}
