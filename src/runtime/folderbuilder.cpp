#include "runtime/folderbuilder.h"

#include "runtime/atomicsave.h"
#include "runtime/diskops.h"

#include <fcntl.h>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool flushFolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    const int fd = diskops::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = diskops::fsync(fd) == 0;
    return diskops::close(fd) == 0 && synced;
}

} // namespace

bool isInsidePath(std::string_view path) {
    if (path.empty() || path.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
        return false;
    std::size_t begin = 0;
    while (true) {
        const std::size_t slash = path.find('/', begin);
        const std::string_view part =
            path.substr(begin, slash == std::string_view::npos ? path.npos : slash - begin);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (slash == std::string_view::npos)
            return true;
        begin = slash + 1;
    }
}

FolderBuilder::FolderBuilder(std::string target) : target_(std::move(target)) {
    while (target_.size() > 1 && target_.back() == '/')
        target_.pop_back();
    building_ = target_ + std::string(kTemporarySuffix);
}

FolderBuilder::~FolderBuilder() {
    // What an unfinished build wrote goes; the target was never touched.
    if (begun_ && !committed_) {
        std::error_code ignored;
        fs::remove_all(building_, ignored);
    }
}

FolderBuilder::Start FolderBuilder::begin() {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(target_, ec);
    if (fs::exists(status) && (!fs::is_directory(status) || !fs::is_empty(target_, ec) || ec))
        return Start::NotEmpty;
    // A leftover of an earlier build that was cut off is ours to remove.
    fs::remove_all(building_, ec);
    if (diskops::mkdir(building_.c_str(), 0777) != 0)
        return Start::Refused;
    begun_ = true;
    return Start::Ready;
}

bool FolderBuilder::add(std::string_view relativePath, std::string_view bytes, bool readOnly) {
    if (!begun_ || committed_ || !isInsidePath(relativePath))
        return false;
    std::string path = building_;
    std::size_t begin = 0;
    for (std::size_t slash; (slash = relativePath.find('/', begin)) != std::string_view::npos;
         begin = slash + 1) {
        path += '/';
        path += relativePath.substr(begin, slash - begin);
        std::error_code ec;
        if (!fs::is_directory(path, ec) && diskops::mkdir(path.c_str(), 0777) != 0)
            return false;
    }
    path += '/';
    path += relativePath.substr(begin);
    ReplacementFile file(path, SaveMode::NewOnly, FileNaming::Platform);
    // One flush of the whole file system at the commit instead of two per file.
    file.leaveFlushToCaller();
    if (readOnly)
        file.makeReadOnly();
    file.writeText(bytes);
    return file.commit();
}

bool FolderBuilder::commit() {
    if (!begun_ || committed_)
        return false;
    // Every file and folder of the build is on the disk before the build takes the target's name.
    const int fd = diskops::open(building_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = diskops::syncfs(fd) == 0;
    if (diskops::close(fd) != 0 || !synced)
        return false;
    // rename(2) takes the place of a missing or empty folder in one step.
    if (diskops::rename(building_.c_str(), target_.c_str()) != 0)
        return false;
    committed_ = true;
    return flushFolderOf(target_);
}
