// Runs an engine program on a script fed to its standard input and collects what it prints.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    std::string output;
    int exitStatus = -1;  // -1 unless the program exited normally
    int signal = 0;       // the signal that ended it, 0 when none did
    bool timedOut = false;
};

// How long a program may run before it is killed, unless a test gives it longer.
constexpr int DEFAULT_RUN_SECONDS = 300;

// Standard input is a regular file holding `input`, so the program never sees input
// "waiting" during a search; standard error is passed through. The program runs in
// workDir when one is given, and is killed after timeoutSeconds.
ProgramRun runProgram(const std::string& program, const std::string& input, const std::string& workDir = {},
                      int timeoutSeconds = DEFAULT_RUN_SECONDS, const std::vector<std::string>& arguments = {});

// The engine builds under test (brelstan, brelstan64), as full paths; the variable
// BRELSTAN_ENGINE_PROGRAMS (paths joined by ':') puts others in their place, such as the
// Windows programs behind a Wine wrapper (tests/windows/run).
std::vector<std::string> enginePrograms();

// The output with every time field (perf lines, suite rows, speed-test lines, thinking
// lines) replaced by "T", so runs can be compared exactly.
std::string maskTimes(const std::string& output);

// The output without thinking lines, masked or not.
std::string withoutThinkingLines(const std::string& output);

// Lines without their ends, "\n" or the Windows programs' "\r\n".
std::vector<std::string> splitLines(const std::string& text);

// A fresh empty folder under the test's temporary folder.
std::string makeTempDir();
