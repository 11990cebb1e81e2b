// Helpers of the file tests: a private temporary directory removed with all
// it holds (the shared one, by its resolved path), file utilities, and buffers of the library's exact path size (so
// that AddressSanitizer sees any write past them).
#ifndef LINDREL_TESTS_FILES_TEMPDIR_H
#define LINDREL_TESTS_FILES_TEMPDIR_H

#include <stdlib.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "runtime_fixture.h"
#include "vsupport/filename.h"

namespace filetest {

inline std::string realPath(const std::string &p) {
    char resolved[PATH_MAX];
    return realpath(p.c_str(), resolved) ? resolved : "<unresolved " + p + ">";
}

inline bool exists(const std::string &p) {
    struct stat info;
    return lstat(p.c_str(), &info) == 0;
}

inline std::string readFile(const std::string &p) {
    std::string out;
    if (std::FILE *f = std::fopen(p.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) out += char(c);
        std::fclose(f);
    }
    return out;
}

// The shared temporary directory, named by its resolved path so that it
// compares with what realpath gives.
class TempDir : lindrel_test::TempDir {
public:
    TempDir() : resolved_(realPath(lindrel_test::TempDir::path())) {}
    const std::string &path() const { return resolved_; }
    std::string operator/(const std::string &name) const { return resolved_ + "/" + name; }
    std::string mkdir(const std::string &name) const {
        ::mkdir((*this / name).c_str(), 0755);
        return *this / name;
    }
    std::string write(const std::string &name, const std::string &contents) const {
        if (std::FILE *f = std::fopen((*this / name).c_str(), "wb")) {
            std::fwrite(contents.data(), 1, contents.size(), f);
            std::fclose(f);
        }
        return *this / name;
    }

private:
    std::string resolved_;
};

// Runs op on a heap copy of text in a buffer of exactly `size` bytes.
template <typename Op>
std::string inBuffer(const std::string &text, Op op, size_t size = VDE_PATH_BUFSIZE) {
    std::unique_ptr<char[]> b(new char[size]);
    std::snprintf(b.get(), size, "%s", text.c_str());
    op(b.get());
    return b.get();
}

}  // namespace filetest

#endif
