// Sanitizer defaults of the 32-bit sanitizer build. The leak check at exit suspends the
// program's threads the way only a native kernel allows; where 32-bit programs run under
// qemu's user-mode emulator it never returns, and every program would hang at its end.
// Leaks are still looked for in the 64-bit sanitizer build and under valgrind.
#if defined(__SANITIZE_ADDRESS__) && defined(__i386__)
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif
