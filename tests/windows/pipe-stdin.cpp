// pipe-stdin PROGRAM: runs PROGRAM with a Windows pipe as its standard input and copies
// this program's own standard input into that pipe, as a chess interface on Windows feeds
// an engine; standard output and error are PROGRAM's own. Exits with PROGRAM's status.
// Under Wine a pipe made by the shell is no Windows pipe (PeekNamedPipe fails on it), so
// the engine's look at waiting input can only be tried through this program.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pipe-stdin PROGRAM\n");
        return 2;
    }
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return 3;
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = readEnd;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        std::fprintf(stderr, "pipe-stdin: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 3;
    }
    CloseHandle(readEnd);
    CloseHandle(child.hThread);

    // Whatever arrives is passed on at once, so that it waits in the pipe when it is sent.
    const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[4096];
    DWORD got = 0, put = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0)
        if (!WriteFile(writeEnd, buffer, got, &put, nullptr)) break;
    CloseHandle(writeEnd);

    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(child.hProcess, &status);
    return static_cast<int>(status);
}
