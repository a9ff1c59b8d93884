// autotext-host: stands in for the host editor. "autotext-host edit DIR"
// opens the autotext editor on DIR and prints how it was closed.
#include "host/HostPaths.h"
#include "host/TarvelLibrary.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kDone = 0;
constexpr int kUsageOrSetupError = 2;
constexpr char kUsage[] = "usage: autotext-host edit DIR";

int Fail(const std::string& reason) {
    std::fprintf(stderr, "autotext-host: %s\n", reason.c_str());
    return kUsageOrSetupError;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 || std::strcmp(argv[1], "edit") != 0) {
        return Fail(kUsage);
    }
    std::string error;
    const auto library = tarvel::host::TarvelLibrary::LoadBesideProgram(error);
    if (!library) {
        return Fail(error);
    }
    const std::string directory = tarvel::host::WithTrailingSeparator(argv[2]);
    const int result = library->ShowAutotextEditor(nullptr, directory.c_str());
    std::printf("result: %d\n", result);
    return kDone;
}
