// Shared pieces of the fuzz harnesses: a failed property check, a private scratch folder
// for the files an input makes the programs read and write, and standard input replaced
// by the input's bytes. Includes neither engine's headers, so both harness kinds use it.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fuzz {

// A property the programs must keep; a broken one is a finding, reported like a crash.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

// The programs print on standard output; the fuzz runs need none of it.
inline void silenceStandardOutput() { require(std::freopen("/dev/null", "w", stdout) != nullptr, "/dev/null opens"); }

// A folder of its own under $TMPDIR (or /tmp). Each input runs inside it with whatever
// files the harness puts there, and every file the input made is removed afterwards, so
// inputs cannot see each other's files and nothing outside the folder is written by name.
class ScratchFolder {
public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        path_ = std::string(tmp && *tmp ? tmp : "/tmp") + "/brelstan-fuzz-XXXXXX";
        require(mkdtemp(path_.data()) != nullptr, "scratch folder is made");
    }
    ~ScratchFolder() {
        empty();
        rmdir(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Enters the folder; the working folder of the caller is kept for leave().
    void enter() {
        previous_ = open(".", O_RDONLY | O_DIRECTORY);
        require(previous_ >= 0 && chdir(path_.c_str()) == 0, "scratch folder is entered");
    }
    // Empties the folder and goes back.
    void leave() {
        empty();
        require(fchdir(previous_) == 0, "working folder is re-entered");
        close(previous_);
        previous_ = -1;
    }

    void writeFile(const char* name, const uint8_t* data, size_t size) const {
        FILE* file = std::fopen((path_ + "/" + name).c_str(), "wb");
        require(file != nullptr, "scratch file opens");
        require(size == 0 || std::fwrite(data, 1, size, file) == size, "scratch file is written");
        std::fclose(file);
    }

private:
    void empty() const {
        DIR* dir = opendir(path_.c_str());
        if (!dir) return;
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
            unlink((path_ + "/" + entry->d_name).c_str());
        }
        closedir(dir);
    }

    std::string path_;
    int previous_ = -1;
};

// Reads the bytes from a memory stream (nullptr for an empty input, which no stream
// can hold).
inline FILE* openBytes(const uint8_t* data, size_t size) {
    if (size == 0) return nullptr;
    FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "r");
    require(stream != nullptr, "memory stream opens");
    return stream;
}

// Standard input reads the bytes while it lives; the program's own stdin comes back after.
class StandardInputFrom {
public:
    StandardInputFrom(const uint8_t* data, size_t size) : saved_(stdin), stream_(openBytes(data, size)) {
        if (stream_) stdin = stream_;
    }
    ~StandardInputFrom() {
        stdin = saved_;
        if (stream_) std::fclose(stream_);
    }
    StandardInputFrom(const StandardInputFrom&) = delete;
    StandardInputFrom& operator=(const StandardInputFrom&) = delete;
    bool empty() const { return stream_ == nullptr; }

private:
    FILE* saved_;
    FILE* stream_;
};

// The book harnesses' input: a 16-bit little-endian header, then the bytes of the White
// book and of the Black book.
//   bits 0-13  how many of the bytes after the header are the White book's; Black has the rest
//   bit 14     no White book file at all; bit 15  no Black book file at all
// A file size is 0 when its file is missing.
struct BookFiles {
    bool whiteWritten, blackWritten;
    size_t whiteSize, blackSize;
};

// Writes the two book files of an input into the scratch folder; false for an input too
// short to hold the header.
inline bool writeBookFiles(const ScratchFolder& scratch, const uint8_t* data, size_t size, const char* whiteName,
                           const char* blackName, BookFiles& files) {
    if (size < 2) return false;
    const unsigned header = data[0] | data[1] << 8;
    data += 2;
    size -= 2;
    const size_t whiteBytes = header & 0x3FFF;
    const size_t split = whiteBytes < size ? whiteBytes : size;
    files.whiteWritten = (header & 0x4000) == 0;
    files.blackWritten = (header & 0x8000) == 0;
    files.whiteSize = files.whiteWritten ? split : 0;
    files.blackSize = files.blackWritten ? size - split : 0;
    if (files.whiteWritten) scratch.writeFile(whiteName, data, split);
    if (files.blackWritten) scratch.writeFile(blackName, data + split, size - split);
    return true;
}

}  // namespace fuzz
