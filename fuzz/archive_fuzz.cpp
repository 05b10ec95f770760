// Prüfsummen.txt as anyone may have left it, in an archive of invoice 1: the check never reports an
// archive in order whose list's links do not hold, read here the plain way, and adding invoice 2 keeps
// the list's bytes and links the new lines to its last line.

#include "fuzzsupport.h"

#include "archive/archivecheck.h"
#include "archive/archivefiles.h"
#include "archive/archivewriter.h"

#include <QCryptographicHash>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

const std::map<std::string, std::string> kFiles = {{"1.xml", "<xml/>"}, {"1.pdf", "%PDF-1.7"}};
const std::string kZeros(64, '0');

std::string listPath() {
    return "Archiv/" + std::string(kChainFileName);
}

std::string sha256(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

// The lines as the plain reader sees them: every CR LF, CR, LF and NUL ends a line.
std::vector<std::string> plainLines(std::string bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n' && c != '\0') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '|')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// Whether every line is "<file of the archive>|<its hash>|<hash of the line before>" and every file
// of the archive has a line.
bool listHolds(const std::vector<std::string>& lines) {
    std::map<std::string, bool> listed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> f = fieldsOf(lines[i]);
        const auto file = kFiles.find(f[0]);
        if (f.size() != 3 || file == kFiles.end() || f[1] != sha256(file->second) ||
            f[2] != (i == 0 ? kZeros : sha256(lines[i - 1])))
            return false;
        listed[f[0]] = true;
    }
    return listed.size() == kFiles.size();
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    std::filesystem::create_directory("Archiv");
    for (const auto& [name, bytes] : kFiles)
        writeInput("Archiv/" + name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput(listPath(), data, size);
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = plainLines(input);
    const bool inOrder = verifyArchive().problem == ArchiveProblem::None;
    if (inOrder && !listHolds(lines))
        std::abort();
    // Invoice 2 goes after the last line, whatever the lines say.
    if (archiveInvoice(2, "<xml 2/>", "%PDF 2", std::nullopt) != ArchiveOutcome::Archived)
        std::abort();
    const std::string added = bytesOf(listPath());
    const bool ended = input.empty() || input.back() == '\r' || input.back() == '\n' || input.back() == '\0';
    const std::string kept = input + (ended ? "" : "\r\n");
    const std::string first =
        "2.xml|" + sha256("<xml 2/>") + "|" + (lines.empty() ? kZeros : sha256(lines.back()));
    const std::string second = "2.pdf|" + sha256("%PDF 2") + "|" + sha256(first);
    if (added != kept + first + "\r\n" + second + "\r\n")
        std::abort();
    // An archive in order stays so, with one invoice more, and shows the new last line's hash.
    if (inOrder && describeArchiveCheck(verifyArchive()) !=
                       "Archiv in Ordnung (2 Rechnungen)\nLetzter Kettenwert: " + sha256(second))
        std::abort();
    std::filesystem::remove("Archiv/2.xml");
    std::filesystem::remove("Archiv/2.pdf");
    return 0;
}
