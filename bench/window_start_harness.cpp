// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's start-up copy and the bare Qt program by turns, and measures for each
// run the time from the start of the process to its first painted window and the peak
// memory (max RSS) of the whole run. Prints the medians and their ratios.
// Usage: window_start_harness <runs> <program> <bare program>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Run {
    double StartMs;
    double MaxRssMb;
};

// Reads the child's output until "painted" arrives; false at end of output.
bool WaitForPainted(int fd)
{
    std::string seen;
    char buffer[256];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        seen.append(buffer, std::size_t(n));
        if (seen.find("painted\n") != std::string::npos)
            return true;
    }
}

std::optional<Run> Measure(const char *program)
{
    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char *argv[] = { const_cast<char *>(program), nullptr };
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        return std::nullopt;
    }
    const bool painted = WaitForPainted(out[0]);
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (!painted || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Run { std::chrono::duration<double, std::milli>(end - start).count(),
                 double(usage.ru_maxrss) / 1024.0 };
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <runs> <program> <bare program>\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> start[2], rss[2];
    Measure(argv[2]); // warm the file cache for both before counting
    Measure(argv[3]);
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            const auto run = Measure(argv[2 + which]);
            if (!run) {
                std::fprintf(stderr, "%s did not paint its window\n", argv[2 + which]);
                return 1;
            }
            start[which].push_back(run->StartMs);
            rss[which].push_back(run->MaxRssMb);
        }
    }
    const double s0 = Median(start[0]), s1 = Median(start[1]);
    const double m0 = Median(rss[0]), m1 = Median(rss[1]);
    // The charts should cost almost nothing beyond a window without them.
    constexpr double Goal = 1.05;
    std::printf("| measure (median of %d runs) | Cyklometrika | bare Qt | ratio | goal |\n", runs);
    std::printf("|---|---|---|---|---|\n");
    std::printf("| start to first painted window | %.1f ms | %.1f ms | %.3f | <= %.2f %s |\n", s0,
                s1, s0 / s1, Goal, s0 / s1 <= Goal ? "met" : "MISSED");
    std::printf("| peak memory (max RSS) | %.1f MB | %.1f MB | %.3f | <= %.2f %s |\n", m0, m1,
                m0 / m1, Goal, m0 / m1 <= Goal ? "met" : "MISSED");
    return 0;
}
