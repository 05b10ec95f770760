#include "shell/commandline.h"

int main(int argc, char* argv[]) {
    return runFromCommandLine(argc, argv, QUILLORA_VERSION);
}
