#include "archive/archivefiles.h"

#include "archive/checksumchain.h"
#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/diskops.h"
#include "runtime/linefile.h"

#include <QCryptographicHash>

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::int64_t kMissing = -1;

// Hands each block of the file to consume; false when it cannot be opened or read to its end.
template <typename Consume>
bool readBlocks(std::string_view folder, std::string_view fileName, Consume consume) {
    const int fd = diskops::open(platformPath(archivePath(fileName, folder)).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::array<char, 65536> block{};
    ssize_t got = 0;
    while ((got = diskops::read(fd, block.data(), block.size())) > 0)
        consume(std::string_view(block.data(), static_cast<std::size_t>(got)));
    diskops::close(fd);
    return got == 0;
}

} // namespace

std::string archivePath(std::string_view fileName, std::string_view folder) {
    return std::string(folder) + "\\" + std::string(fileName);
}

std::vector<std::string> invoiceFileNames(std::int32_t number, bool withXRechnung) {
    const std::string n = formatInt(number);
    std::vector<std::string> names = {n + ".xml", n + ".pdf"};
    if (withXRechnung)
        names.push_back(n + "-xrechnung.xml");
    return names;
}

std::string_view invoiceNumberOf(std::string_view fileName) {
    const auto digits =
        std::find_if(fileName.begin(), fileName.end(), [](char c) { return c < '0' || c > '9'; });
    return fileName.substr(0, static_cast<std::size_t>(digits - fileName.begin()));
}

std::optional<std::string> readChainFile(std::string_view folder) {
    if (fileSize(archivePath(kChainFileName, folder)) == kMissing)
        return std::string();
    return readArchiveFile(kChainFileName, folder);
}

std::optional<std::string> nextChainLink() {
    const std::optional<std::string> list = readChainFile();
    if (!list)
        return std::nullopt;
    const std::vector<std::string_view> lines = chainLines(*list);
    return lines.empty() ? std::string(kNoPreviousLine) : sha256Hex(lines.back());
}

std::optional<std::string> readArchiveFile(std::string_view fileName, std::string_view folder) {
    std::string bytes;
    if (!readBlocks(folder, fileName, [&](std::string_view block) { bytes += block; }))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> fileHash(std::string_view fileName, std::string_view folder) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const bool whole = readBlocks(folder, fileName, [&](std::string_view block) {
        hash.addData(QByteArrayView(block.data(), static_cast<qsizetype>(block.size())));
    });
    if (!whole)
        return std::nullopt;
    return hash.result().toHex().toStdString();
}

bool insideArchiveFolder(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path archive = fs::weakly_canonical(fs::absolute(platformPath(kArchiveFolder), ec), ec);
    // The file itself may be a link: the replacement puts a new file in its place, where the link was.
    const fs::path folder = fs::weakly_canonical(fs::absolute(fs::path(path), ec).parent_path(), ec);
    if (ec)
        return false;
    auto f = folder.begin();
    for (auto a = archive.begin(); a != archive.end(); ++a, ++f) {
        if (f == folder.end() || *f != *a)
            return false;
    }
    return true;
}

std::optional<std::vector<std::string>> archivedFileNames(std::string_view folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(platformPath(folder), ec);
    if (ec == std::errc::no_such_file_or_directory)
        return names;
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (name != kChainFileName && !name.ends_with(kTemporarySuffix))
            names.push_back(std::move(name));
    }
    if (ec)
        return std::nullopt;
    // In the order of the invoice numbers, so that "the first file" means the oldest invoice.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::size_t na = invoiceNumberOf(a).size();
        const std::size_t nb = invoiceNumberOf(b).size();
        return na != nb ? na < nb : a < b;
    });
    return names;
}
