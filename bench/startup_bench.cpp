// Start-up benchmark: whole-process time from exec to the first painted
// frame, and peak memory up to then, of a program and of reference windows,
// started in turn under the X server in DISPLAY; then, where valgrind is
// installed, the instructions each runs up to its first frame, counted by
// callgrind: a figure that does not depend on what else the machine is
// doing. first_frame_probe ends each run when the first frame reaches the
// server.
//   startup_bench [--runs N] PROBE PROGRAM REFERENCE...
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double milliseconds = 0;
    double cpuMilliseconds = 0; // user and system: less sensitive to a busy machine
    double peakMebibytes = 0;
};

struct Subject {
    std::string label;
    std::string path;
    std::vector<Run> runs;
};

constexpr int frameTimeoutMs = 20000;
constexpr int countedFrameTimeoutMs = 300000; // callgrind runs a program some 50 times slower

// Starts the program with the probe and waits for its first frame; with a
// wrapper, the wrapper's command line runs the program.
std::optional<Run> startOnce(const std::string &probe, const std::string &program,
                             const std::vector<std::string> &wrapper = {})
{
    std::array<int, 2> pipeFds{};
    if (pipe2(pipeFds.data(), O_CLOEXEC) != 0)
        return std::nullopt;
    // The program's complaints, shown only when a run fails.
    FILE *complaints = std::tmpfile();
    if (!complaints)
        return std::nullopt;
    const Clock::time_point started = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        const int reportFd = dup(pipeFds[1]); // without close-on-exec
        const int devNull = open("/dev/null", O_WRONLY);
        if (reportFd < 0 || devNull < 0)
            _exit(126);
        dup2(devNull, STDOUT_FILENO);
        dup2(fileno(complaints), STDERR_FILENO);
        setenv("LD_PRELOAD", probe.c_str(), 1);
        setenv("FIRST_FRAME_FD", std::to_string(reportFd).c_str(), 1);
        std::vector<char *> command;
        for (const std::string &word : wrapper)
            command.push_back(const_cast<char *>(word.c_str()));
        command.push_back(const_cast<char *>(program.c_str()));
        command.push_back(nullptr);
        execvp(command.front(), command.data());
        _exit(127);
    }
    close(pipeFds[1]);

    pollfd ready{pipeFds[0], POLLIN, 0};
    char shown = 0;
    const int timeoutMs = wrapper.empty() ? frameTimeoutMs : countedFrameTimeoutMs;
    const bool framed = poll(&ready, 1, timeoutMs) == 1 && read(pipeFds[0], &shown, 1) == 1 && shown == 'F';
    const Clock::time_point firstFrame = Clock::now();
    close(pipeFds[0]);
    if (!framed)
        kill(child, SIGKILL);

    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !framed || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        if (WIFSIGNALED(status))
            std::fprintf(stderr, "startup_bench: %s showed no frame (signal %d)\n", program.c_str(), WTERMSIG(status));
        else
            std::fprintf(stderr, "startup_bench: %s showed no frame (exit status %d)\n", program.c_str(),
                         WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        std::rewind(complaints);
        std::array<char, 4096> text{};
        const std::size_t length = std::fread(text.data(), 1, text.size() - 1, complaints);
        std::fwrite(text.data(), 1, length, stderr);
        std::fclose(complaints);
        return std::nullopt;
    }
    std::fclose(complaints);
    Run run;
    run.milliseconds = std::chrono::duration<double, std::milli>(firstFrame - started).count();
    run.cpuMilliseconds = (static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3);
    run.peakMebibytes = static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> column(const Subject &subject, double Run::*field)
{
    std::vector<double> values;
    for (const Run &run : subject.runs)
        values.push_back(run.*field);
    return values;
}

// The instructions the program runs up to its first frame, loader included,
// or nothing when callgrind cannot count them.
std::optional<double> instructionsToFirstFrame(const std::string &probe, const std::string &program)
{
    char countFile[] = "/tmp/startup_bench_callgrind_XXXXXX";
    const int fd = mkstemp(countFile);
    if (fd < 0)
        return std::nullopt;
    close(fd);
    const std::vector<std::string> callgrind{"valgrind", "--tool=callgrind", "--quiet",
                                             std::string("--callgrind-out-file=") + countFile};
    std::optional<double> instructions;
    if (startOnce(probe, program, callgrind)) {
        std::ifstream counts(countFile);
        for (std::string line; std::getline(counts, line);) {
            if (line.rfind("totals:", 0) == 0) {
                std::istringstream total(line.substr(7));
                double count = 0;
                if (total >> count)
                    instructions = count;
            }
        }
    }
    unlink(countFile);
    return instructions;
}

std::string fileName(const std::string &path)
{
    return path.substr(path.find_last_of('/') + 1);
}

int usage()
{
    std::fprintf(stderr, "usage: startup_bench [--runs N] PROBE PROGRAM REFERENCE...  (N >= 15)\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 21;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            paths.emplace_back(argv[i]);
    }
    if (paths.size() < 3 || runs < 15)
        return usage();
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "startup_bench: no DISPLAY; run it under Xvfb (bench/startup.sh does)\n");
        return 2;
    }
    for (const std::string &path : paths) {
        if (access(path.c_str(), R_OK) != 0) {
            std::fprintf(stderr, "startup_bench: cannot read %s\n", path.c_str());
            return 2;
        }
    }
    const std::string &probe = paths[0];
    std::vector<Subject> subjects;
    for (std::size_t i = 1; i < paths.size(); ++i)
        subjects.push_back(Subject{i == 1 ? "program" : "reference", paths[i], {}});
    const std::size_t count = subjects.size();

    // One run each to fill the file cache, then rounds that rotate which
    // subject goes first, so none always starts on a warmer machine.
    for (Subject &subject : subjects) {
        if (!startOnce(probe, subject.path))
            return 1;
    }
    for (int round = 0; round < runs; ++round) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            Subject &subject = subjects[(static_cast<std::size_t>(round) + turn) % count];
            const std::optional<Run> run = startOnce(probe, subject.path);
            if (!run)
                return 1;
            subject.runs.push_back(*run);
        }
    }

    std::printf("Start-up to the first painted frame: medians of %d runs each, in turn\n", runs);
    std::printf("%-10s %10s %10s %18s  %s\n", "", "time (ms)", "CPU (ms)", "peak memory (MiB)", "executable");
    std::vector<double> times;
    std::vector<double> cpuTimes;
    std::vector<double> memories;
    for (const Subject &subject : subjects) {
        times.push_back(median(column(subject, &Run::milliseconds)));
        cpuTimes.push_back(median(column(subject, &Run::cpuMilliseconds)));
        memories.push_back(median(column(subject, &Run::peakMebibytes)));
        std::printf("%-10s %10.1f %10.1f %18.1f  %s\n", subject.label.c_str(), times.back(), cpuTimes.back(),
                    memories.back(), fileName(subject.path).c_str());
    }
    for (std::size_t i = 1; i < count; ++i) {
        std::printf("%-10s %10.2f %10.2f %18.2f  program / %s%s\n", "ratio", times[0] / times[i],
                    cpuTimes[0] / cpuTimes[i], memories[0] / memories[i], fileName(subjects[i].path).c_str(),
                    i == 1 ? " (goal: time and memory at most 1.05)" : "");
    }

    std::printf("\nInstructions to the first painted frame (callgrind, one run each)\n");
    std::vector<double> instructions;
    for (const Subject &subject : subjects) {
        const std::optional<double> counted = instructionsToFirstFrame(probe, subject.path);
        if (!counted) {
            std::printf("not counted: valgrind is not installed or the counted run failed\n");
            return 0;
        }
        instructions.push_back(*counted);
        std::printf("%-10s %10.1f M  %s\n", subject.label.c_str(), *counted / 1e6, fileName(subject.path).c_str());
    }
    for (std::size_t i = 1; i < count; ++i)
        std::printf("%-10s %10.2f    program / %s\n", "ratio", instructions[0] / instructions[i],
                    fileName(subjects[i].path).c_str());
    return 0;
}
