// Helpers of the file tests: a private temporary directory removed with
// everything in it, small file utilities, and path buffers of the library's
// exact size (so that AddressSanitizer sees any write past them).
#ifndef LINDREL_TESTS_FILES_TEMPDIR_H
#define LINDREL_TESTS_FILES_TEMPDIR_H

#include <ftw.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "vsupport/filename.h"

namespace filetest {

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/lindrel-files-XXXXXX";
        const char *made = mkdtemp(pattern);
        char resolved[PATH_MAX];
        // realpath: expected values are compared with realpath's answers.
        path_ = made && realpath(made, resolved) ? resolved : "";
    }
    ~TempDir() {
        if (!path_.empty())
            nftw(path_.c_str(), [](const char *p, const struct stat *, int, struct FTW *) { return ::remove(p); },
                 16, FTW_DEPTH | FTW_PHYS);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::string &path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }
    std::string mkdir(const std::string &name) const {
        ::mkdir((*this / name).c_str(), 0755);
        return *this / name;
    }
    std::string write(const std::string &name, const std::string &contents) const {
        std::string p = *this / name;
        if (std::FILE *f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(contents.data(), 1, contents.size(), f);
            std::fclose(f);
        }
        return p;
    }

private:
    std::string path_;
};

inline bool exists(const std::string &p) {
    struct stat info;
    return lstat(p.c_str(), &info) == 0;
}

inline std::string readFile(const std::string &p) {
    std::string out;
    if (std::FILE *f = std::fopen(p.c_str(), "rb")) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) out.append(chunk, n);
        std::fclose(f);
    }
    return out;
}

inline std::string realPath(const std::string &p) {
    char resolved[PATH_MAX];
    return realpath(p.c_str(), resolved) ? resolved : "<" + p + " does not resolve>";
}

// A heap buffer of exactly `size` bytes holding text (cut to fit).
struct Buffer {
    explicit Buffer(const std::string &text, size_t size = VDE_PATH_BUFSIZE) : bytes(new char[size]) {
        size_t n = text.size() < size ? text.size() : size - 1;
        std::memcpy(bytes.get(), text.data(), n);
        bytes[n] = '\0';
    }
    char *get() { return bytes.get(); }
    std::string str() const { return bytes.get(); }
    std::unique_ptr<char[]> bytes;
};

}  // namespace filetest

#endif
