// Helpers shared by every suite: where the programs and examples are, a
// private temporary directory, files read whole, and programs run to their
// end with their output captured.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace lindrel_test {

inline const std::string kBinaryDir = LINDREL_BINARY_DIR, kSourceDir = LINDREL_SOURCE_DIR;
inline const std::string kLindrel = kBinaryDir + "/outline/lindrel", kVxhost = kBinaryDir + "/host/vxhost";
inline const std::string kTestClient = kBinaryDir + "/tests/clients/testclient";
inline const std::string kExamples = kSourceDir + "/examples";

// A directory of its own under TMPDIR (named by its resolved path), removed
// with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }
    std::string mkdir(const std::string &name) const;
    std::string write(const std::string &name, const std::string &contents) const;

private:
    std::string path_;
};

std::string read_file(const std::string &path);
std::vector<std::string> read_lines(const std::string &path);
bool exists(const std::string &path);
// The names in a directory, sorted, without those that start with a dot.
std::vector<std::string> dir_entries(const std::string &path);
std::string real_path(const std::string &path);
// Descriptors open in this process.
int open_descriptors();

struct ProgramRun {
    int status = -1;  // exit status, 128 + signal for a signal
    std::string out, err;
};

// Runs a program to its end with the test's environment (without "VXAPIX")
// plus `environment`.
ProgramRun run_program(const std::vector<std::string> &argv, const std::vector<std::string> &environment = {});

// Waits for a child or adopted orphan to end; its status or nothing.
std::optional<int> wait_process(pid_t pid, double seconds);

}  // namespace lindrel_test
