// user-dirs.dirs as anyone may have left it: the user's own data folder is always an absolute folder
// named Quillora, and never lies loose in the home folder.

#include "fuzzsupport.h"

#include "runtime/userfolders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("user-dirs.dirs", data, size);
    const std::filesystem::path folder = ownDataFolder("/h", ".");
    if (!folder.is_absolute() || folder.filename() != "Quillora" ||
        (folder.parent_path() / "").lexically_normal() == "/h/")
        std::abort();
    return 0;
}
