#include "program_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>

ProgramRun runProgram(const std::string& program, const std::string& input, const std::string& workDir,
                      int timeoutSeconds, const std::vector<std::string>& arguments) {
    ProgramRun run;
    char inputPath[] = "/tmp/brelstan-e2e-input-XXXXXX";
    const int inputFd = mkstemp(inputPath);
    if (inputFd < 0) return run;
    for (size_t done = 0; done < input.size();) {
        const ssize_t n = write(inputFd, input.data() + done, input.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    lseek(inputFd, 0, SEEK_SET);
    unlink(inputPath);

    int out[2];
    if (pipe(out) != 0) {
        close(inputFd);
        return run;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(inputFd, 0);
        dup2(out[1], 1);
        close(inputFd);
        close(out[0]);
        close(out[1]);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(inputFd);
    close(out[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            run.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        run.output.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    return run;
}

std::vector<std::string> enginePrograms() {
    std::vector<std::string> programs;
    const char* chosen = std::getenv("BRELSTAN_ENGINE_PROGRAMS");
    std::stringstream list(chosen && *chosen ? chosen : BRELSTAN_ENGINE_PROGRAMS);
    for (std::string path; std::getline(list, path, ':');)
        if (!path.empty()) programs.push_back(path);
    return programs;
}

std::string maskTimes(const std::string& output) {
    static const std::regex perf(R"(^nodes=(\d+) time=\d+\.\d\d$)");
    static const std::regex speed(R"(^( value=0x[0-9A-F]{8} count=-?\d+) time=\d+\.\d\d(s?) speed=-?\d+mps$)");
    static const std::regex suiteRow(R"(^(.*%) +\d+:\d\d\.\d\d +\d+:\d\d\.\d\d$)");
    static const std::regex thinking(R"(^([ \d]\d[-\d ]{8})[ \d]{5}\d( *\d+ .*)$)");
    std::string masked;
    for (const std::string& line : splitLines(output)) {
        std::string m = std::regex_replace(line, perf, "nodes=$1 time=T");
        m = std::regex_replace(m, speed, "$1 time=T$2 speed=Tmps");
        m = std::regex_replace(m, suiteRow, "$1 T T");
        m = std::regex_replace(m, thinking, "$1     T$2");
        masked += m + "\n";
    }
    return masked;
}

std::string withoutThinkingLines(const std::string& output) {
    // Masked or not.
    static const std::regex thinking(R"(^[ \d]\d[-\d ]{8}([ \d]{5}\d| {5}T) *\d+ .*$)");
    std::string kept;
    for (const std::string& line : splitLines(output))
        if (!std::regex_match(line, thinking)) kept += line + "\n";
    return kept;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string makeTempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/brelstan-e2e-XXXXXX";
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}
