// savestorm: drives the real program in the current folder, saving again and again, for the kill
// and power-loss tests; or checks a folder after a kill.
//
//   savestorm run --journal FILE [--steps N] [--seed S] [--pdf FILE]
//   savestorm check --journal FILE --issued FILE

#include "check.h"
#include "storm.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr, "usage: savestorm run --journal FILE [--steps N] [--seed S] [--pdf FILE]\n"
                         "       savestorm check --journal FILE --issued FILE\n");
    return 64;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string command = argv[1];
    StormOptions storm;
    storm.seed = static_cast<unsigned>(std::time(nullptr)) ^ static_cast<unsigned>(::getpid());
    CheckOptions check;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--journal")
            storm.journal = check.journal = value;
        else if (name == "--steps")
            storm.steps = std::atoi(value.c_str());
        else if (name == "--seed")
            storm.seed = static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
        else if (name == "--pdf")
            storm.pdf = value;
        else if (name == "--issued")
            check.issued = value;
        else
            return usage();
    }
    if (command == "run" && !storm.journal.empty())
        return static_cast<int>(runStorm(storm));
    if (command == "check" && !check.journal.empty() && !check.issued.empty())
        return runCheck(check);
    return usage();
}
