// The picture dialog's JPEG preview beside libjpeg's own command-line decoder: the preview
// for a 160 x 120 pane (the file read and decoded at the reduction picked for the pane),
// `djpeg -scale 1/8 -outfile /dev/null` on the same file (a process of its own, so its
// start-up is timed too, and shown apart), the same decoder made to decode the full picture,
// and the preview again on a decoder made for it alone, whose file memory is touched for the
// first time (the dialog keeps one decoder for all its previews). Rounds take them in turn;
// the medians go into a Markdown table. Each is timed twice: on the wall clock, and as the
// CPU time it used (ours from the process's CPU clock, djpeg's from the rusage of the
// finished child). The machine is shared, and on a busy one the wall clock mostly counts the
// waits for a core: the goals are judged on CPU time.
//
//   domora_jpeg_preview_bench PICTURE.jpg [ROUNDS]
//
// Goals: the preview within 1.3 times djpeg's time and at least 5 times faster than the
// full decode.

#include "ui/service/JpegPreviewDecoder.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace {

using domora::DecodedJpeg;
using domora::JpegPreviewDecoder;
using Clock = std::chrono::steady_clock;

// Wall-clock and CPU milliseconds.
struct Time {
    double wall = 0;
    double cpu = 0;
};

double cpuNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double milliseconds(const timeval& t) {
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

// The CPU time of the work done here, or of the child process it returns the time of.
Time timeOf(const std::function<double()>& work) {
    const auto start = Clock::now();
    const double cpuStart = cpuNow();
    const double childCpu = work();
    const double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return {wall, childCpu >= 0 ? childCpu : cpuNow() - cpuStart};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs a program with its output thrown away and waits for it: the CPU time it used, user and
// system, or -1 when it failed.
double run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1 /* O_WRONLY */, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 1 /* O_WRONLY */, 0);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (failed != 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PICTURE.jpg [ROUNDS]\n", argv[0]);
        return 2;
    }
    const std::string picture = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;

    // As the dialog does: one decoder for preview after preview.
    JpegPreviewDecoder previews;
    JpegPreviewDecoder full;
    const DecodedJpeg probe = previews.decodeFile(picture, 160, 120);
    if (probe.empty()) {
        std::fprintf(stderr, "%s: %s\n", picture.c_str(), probe.message.c_str());
        return 1;
    }
    if (run({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", picture}) < 0) {
        std::fprintf(stderr, "djpeg failed (package libjpeg-turbo-progs)\n");
        return 1;
    }

    const std::vector<std::string> djpegPreview = {"djpeg",    "-scale",    "1/8",
                                                   "-outfile", "/dev/null", picture};
    const std::vector<std::function<double()>> decoders = {
        [&] {
            if (previews.decodeFile(picture, 160, 120).empty()) {
                std::abort();
            }
            return -1.0;
        },
        [&] { return run(djpegPreview); },
        [&] {
            return run({"djpeg", "-version"});
        },
        [&] {
            if (full.decodeFileAtScale(picture, 1).empty()) {
                std::abort();
            }
            return -1.0;
        },
        [&] {
            if (JpegPreviewDecoder().decodeFile(picture, 160, 120).empty()) {
                std::abort();
            }
            return -1.0;
        },
    };
    const char* const names[] = {
        "preview for 160 x 120 (file read + decode)", "`djpeg -scale 1/8 -outfile /dev/null` (process)",
        "`djpeg -version` (process start-up alone)", "full decode, 1/1 (file read + decode)",
        "preview, a new decoder each time (its file memory touched anew)"};
    std::vector<std::vector<Time>> times(decoders.size());
    for (int round = 0; round <= rounds; ++round) { // round 0 warms the caches up
        // Each round starts with the next one, so that none always follows the same other.
        for (std::size_t k = 0; k < decoders.size(); ++k) {
            const std::size_t i = (k + std::size_t(round)) % decoders.size();
            const Time time = timeOf(decoders[i]);
            if (round > 0) {
                times[i].push_back(time);
            }
        }
    }
    std::vector<double> wall(decoders.size()), cpu(decoders.size());
    std::printf("Picture: %s, %d x %d; preview decoded at 1/%d to %d x %d; median of %d rounds.\n\n",
                picture.c_str(), probe.sourceWidth, probe.sourceHeight, probe.scaleDenom, probe.width,
                probe.height, rounds);
    std::printf("| decode | CPU ms, median | CPU ms, min | wall ms, median | wall ms, min "
                "|\n|---|---:|---:|---:|---:|\n");
    for (std::size_t i = 0; i < decoders.size(); ++i) {
        std::vector<double> w, c;
        for (const Time& time : times[i]) {
            w.push_back(time.wall);
            c.push_back(time.cpu);
        }
        wall[i] = median(w);
        cpu[i] = median(c);
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f |\n", names[i], cpu[i],
                    *std::min_element(c.begin(), c.end()), wall[i], *std::min_element(w.begin(), w.end()));
    }
    const double toDjpeg = cpu[0] / cpu[1];
    const double fromFull = cpu[3] / cpu[0];
    std::printf("\nCPU time, preview / djpeg: %.2f (goal at most 1.3): %s\n", toDjpeg,
                toDjpeg <= 1.3 ? "met" : "NOT met");
    std::printf("CPU time, preview / (djpeg less its start-up): %.2f\n",
                cpu[0] / std::max(0.001, cpu[1] - cpu[2]));
    std::printf("CPU time, full / preview: %.1f (goal at least 5): %s\n", fromFull,
                fromFull >= 5 ? "met" : "NOT met");
    std::printf("Wall clock, preview / djpeg: %.2f; full / preview: %.1f\n", wall[0] / wall[1],
                wall[3] / wall[0]);
    return 0;
}
