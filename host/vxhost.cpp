// vxhost: the stand-in host's command line. Opens a document, starts the
// outline client (or any client), runs steps on them and prints the outline;
// or simply serves. See docs/vxhost.md.
#include "cli_options.h"
#include "cli_run.h"

#include <unistd.h>

#include <climits>
#include <iostream>
#include <string>

namespace {

// lindrel of the same build tree (outline/ beside host/), else the one
// installed beside vxhost.
std::string default_client()
{
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return "lindrel";
    std::string path(self, static_cast<size_t>(n));
    size_t slash = path.find_last_of('/');
    std::string dir = path.substr(0, slash == std::string::npos ? 0 : slash);
    std::string built = dir + "/../outline/lindrel";
    return access(built.c_str(), X_OK) == 0 ? built : dir + "/lindrel";
}

}  // namespace

int main(int argc, char **argv)
{
    using vxhost::cli::Failure;
    if (argc < 2) {
        std::cerr << vxhost::cli::usage();
        return 2;
    }
    vxhost::cli::Config config;
    try {
        config = vxhost::cli::parse(argc, argv, default_client());
    } catch (const Failure &f) {
        std::cerr << "vxhost: " << f.what() << "\n(vxhost --help lists the options)\n";
        return 2;
    }
    if (config.help) {
        std::cout << vxhost::cli::usage();
        return 0;
    }
    if (config.version) {
        std::cout << "vxhost (Lindrel) " LINDREL_VERSION "\n";
        return 0;
    }
    try {
        vxhost::cli::Run run(config, std::cout);
        return run.main();
    } catch (const std::exception &e) {
        std::cerr << "vxhost: " << e.what() << '\n';
        return 1;
    }
}
