// The footprint bench's X client. It starts a program and prints how long after the exec
// its top-level window first shows something other than a single colour. The bench runs
// without a window manager, so the probe also answers iconify requests the way a window
// manager does: it unmaps the window and marks it iconic, which is what the program sees
// when it is minimised on a desktop.
//
// Usage: footprint-probe [--timeout SECONDS] [--min-size PIXELS] -- PROGRAM [ARGUMENTS...]
//
// Lines on stdout, as they happen:
//   pid N         the program's process id
//   window 0xID   its top-level window (not override-redirect, at least PIXELS on each side,
//                 _NET_WM_PID of the program), when it is mapped
//   paint MS      milliseconds from the exec to the first image of that window that is not
//                 a single colour (grabbed after each damage report)
//   timeout       no such image within SECONDS
// The probe stays until the program ends and exits with its status; SIGTERM, SIGINT and
// SIGHUP are passed on to the program (SIGKILL follows after three seconds).

#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1000.0 + (double)ts.tv_nsec / 1e6;
}

// Errors are expected (a window gone or unmapped between the event and the request): the
// request's result is then simply missing.
static int ignore_x_error(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0;
}

static pid_t child = 0;

// The X server gone: the program goes too.
static int end_with_display(Display* display) {
    (void)display;
    if (child > 0) {
        kill(child, SIGTERM);
        sleep(1);
        kill(child, SIGKILL);
        waitpid(child, NULL, 0);
    }
    _exit(3);
}

static bool window_of_pid(Display* display, Window window, pid_t pid) {
    Atom net_wm_pid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = NULL;
    bool match = false;
    if (XGetWindowProperty(display, window, net_wm_pid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data != NULL) {
        match = format == 32 && count == 1 && (pid_t)(*(unsigned long*)data) == pid;
    }
    if (data != NULL) {
        XFree(data);
    }
    return match;
}

// True when the window's image has more than one colour.
static bool window_has_content(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
        return false;
    }
    XImage* image = XGetImage(display, window, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height,
                              AllPlanes, ZPixmap);
    if (image == NULL) {
        return false;
    }
    bool varied = false;
    if (image->bits_per_pixel == 32) {
        const uint32_t mask = image->depth >= 32 ? 0xffffffffu : (1u << image->depth) - 1u;
        const uint32_t first = *(const uint32_t*)image->data & mask;
        for (int y = 0; y < image->height && !varied; ++y) {
            const uint32_t* row = (const uint32_t*)(image->data + (size_t)y * (size_t)image->bytes_per_line);
            for (int x = 0; x < image->width; ++x) {
                if ((row[x] & mask) != first) {
                    varied = true;
                    break;
                }
            }
        }
    } else {
        const unsigned long first = XGetPixel(image, 0, 0);
        for (int y = 0; y < image->height && !varied; ++y) {
            for (int x = 0; x < image->width; ++x) {
                if (XGetPixel(image, x, y) != first) {
                    varied = true;
                    break;
                }
            }
        }
    }
    XDestroyImage(image);
    return varied;
}

static void set_wm_state(Display* display, Window window, long state) {
    Atom wm_state = XInternAtom(display, "WM_STATE", False);
    long data[2] = {state, None};
    XChangeProperty(display, window, wm_state, wm_state, 32, PropModeReplace, (unsigned char*)data, 2);
}

static void usage(void) {
    fprintf(stderr,
            "usage: footprint-probe [--timeout SECONDS] [--min-size PIXELS] -- PROGRAM [ARGUMENTS...]\n");
    exit(2);
}

int main(int argc, char* argv[]) {
    double timeout_s = 30.0;
    int min_size = 64;
    int first = 1;
    for (; first < argc; ++first) {
        if (strcmp(argv[first], "--") == 0) {
            ++first;
            break;
        } else if (strcmp(argv[first], "--timeout") == 0 && first + 1 < argc) {
            timeout_s = atof(argv[++first]);
        } else if (strcmp(argv[first], "--min-size") == 0 && first + 1 < argc) {
            min_size = atoi(argv[++first]);
        } else {
            usage();
        }
    }
    if (first >= argc) {
        usage();
    }

    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "footprint-probe: cannot open the display\n");
        return 2;
    }
    int damage_event = 0;
    int damage_error = 0;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        fprintf(stderr, "footprint-probe: the X server has no DAMAGE extension\n");
        return 2;
    }
    XSetErrorHandler(ignore_x_error);
    XSetIOErrorHandler(end_with_display);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    const Window root = DefaultRootWindow(display);
    const Atom wm_change_state = XInternAtom(display, "WM_CHANGE_STATE", False);
    // Substructure: maps of top-level windows and iconify requests sent the ICCCM way;
    // structure: iconify requests sent with that mask only (as Qt sends them).
    XSelectInput(display, root, SubstructureNotifyMask | StructureNotifyMask);
    XSync(display, False);

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGCHLD);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &signals, &previous);
    const int signal_fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signal_fd < 0) {
        perror("footprint-probe: signalfd");
        return 2;
    }

    const double start = now_ms();
    child = fork();
    if (child < 0) {
        perror("footprint-probe: fork");
        return 2;
    }
    if (child == 0) {
        sigprocmask(SIG_SETMASK, &previous, NULL);
        execvp(argv[first], argv + first);
        perror("footprint-probe: exec");
        _exit(127);
    }
    printf("pid %d\n", (int)child);
    fflush(stdout);

    Window target = None;
    Damage damage = None;
    bool measuring = true;
    double kill_at = 0.0;
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            const double seen = now_ms();
            if (event.type == MapNotify && event.xmap.event == root) {
                const Window window = event.xmap.window;
                XWindowAttributes attributes;
                if (target == None && measuring && !event.xmap.override_redirect &&
                    window_of_pid(display, window, child) &&
                    XGetWindowAttributes(display, window, &attributes) && attributes.width >= min_size &&
                    attributes.height >= min_size) {
                    target = window;
                    printf("window 0x%lx\n", (unsigned long)window);
                    fflush(stdout);
                    damage = XDamageCreate(display, window, XDamageReportNonEmpty);
                    // It may have drawn already, between the map and the subscription.
                    if (window_has_content(display, window)) {
                        printf("paint %.1f\n", seen - start);
                        fflush(stdout);
                        measuring = false;
                    }
                }
                if (!event.xmap.override_redirect) {
                    set_wm_state(display, window, NormalState);
                }
            } else if (event.type == ClientMessage && event.xclient.message_type == wm_change_state &&
                       event.xclient.format == 32 && event.xclient.data.l[0] == IconicState) {
                XUnmapWindow(display, event.xclient.window);
                set_wm_state(display, event.xclient.window, IconicState);
            } else if (event.type == damage_event + XDamageNotify && measuring) {
                const XDamageNotifyEvent* notify = (const XDamageNotifyEvent*)&event;
                XDamageSubtract(display, notify->damage, None, None);
                if (window_has_content(display, notify->drawable)) {
                    printf("paint %.1f\n", seen - start);
                    fflush(stdout);
                    measuring = false;
                }
            }
            if (!measuring && damage != None) {
                XDamageDestroy(display, damage);
                damage = None;
            }
        }
        if (measuring && now_ms() - start > timeout_s * 1000.0) {
            printf("timeout\n");
            fflush(stdout);
            measuring = false;
            if (damage != None) {
                XDamageDestroy(display, damage);
                damage = None;
            }
        }
        XFlush(display);

        struct pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {signal_fd, POLLIN, 0}};
        const int wait_ms = measuring || kill_at > 0.0 ? 50 : -1;
        if (poll(fds, 2, wait_ms) < 0 && errno != EINTR) {
            perror("footprint-probe: poll");
            break;
        }
        if (fds[1].revents & POLLIN) {
            struct signalfd_siginfo info;
            if (read(signal_fd, &info, sizeof info) == (ssize_t)sizeof info && info.ssi_signo != SIGCHLD) {
                kill(child, SIGTERM);
                kill_at = now_ms() + 3000.0;
            }
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            XCloseDisplay(display);
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        if (kill_at > 0.0 && now_ms() > kill_at) {
            kill(child, SIGKILL);
        }
    }
    kill(child, SIGKILL);
    waitpid(child, NULL, 0);
    return 2;
}
