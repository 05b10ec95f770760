// The checksum list of a backup as anyone may have left it: a list that is read names only paths
// inside the restored folder, each once, and is exactly the text it would be written as.

#include "backup/backuplist.h"
#include "runtime/folderbuilder.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const BackupListReading reading = readBackupList(input);
    if (!reading.list) {
        if (reading.badLine == 0)
            std::abort();
        return 0;
    }
    std::set<std::string> paths;
    for (const BackupEntry& entry : reading.list->entries) {
        if (!isInsidePath(entry.path) || entry.path == kBackupListName || !paths.insert(entry.path).second ||
            entry.size < 0)
            std::abort();
    }
    if (backupListText(*reading.list) != input)
        std::abort();
    return 0;
}
