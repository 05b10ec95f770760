// Every #include between the folders of src/ points down one order: runtime; toolkit and money; state;
// payments; the data files, settings and printing; the e-invoice and the archive; received invoices,
// invoicing, accounting and the backup; shell; main.cpp.
// Folders on one level do not include each other, so no two folders ever include each other.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kLevel = {
    {"runtime", 0},    {"toolkit", 1},  {"money", 1},    {"state", 2},   {"payments", 3}, {"datafiles", 4},
    {"settings", 4},   {"printing", 4}, {"einvoice", 5}, {"archive", 5}, {"incoming", 6}, {"invoicing", 6},
    {"accounting", 6}, {"backup", 6},   {"shell", 7},    {"main", 8},
};

/// Whether a file of folder `from` may include a header of folder `to`.
bool mayInclude(const std::string& from, const std::string& to) {
    if (from == to)
        return true;
    const auto a = kLevel.find(from);
    const auto b = kLevel.find(to);
    return a != kLevel.end() && b != kLevel.end() && b->second < a->second;
}

/// The folder under src/ a file belongs to; "main" for src/main.cpp.
std::string folderOf(const fs::path& file, const fs::path& src) {
    const fs::path relative = fs::relative(file, src);
    return std::distance(relative.begin(), relative.end()) == 1 ? "main" : relative.begin()->string();
}

/// "file:line includes x/y.h" for every include that points against the order, and for files in a
/// folder the order does not know.
std::vector<std::string> includesAgainstTheOrder(const fs::path& src) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([A-Za-z_]+)/[^"]*")re");
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const std::string from = folderOf(entry.path(), src);
        const std::string where = fs::relative(entry.path(), src.parent_path()).string();
        if (!kLevel.contains(from)) {
            found.push_back(where + ": folder \"" + from + "\" has no place in the order");
            continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch m;
            if (std::regex_search(line, m, include) && !mayInclude(from, m[1].str()))
                found.push_back(where + ":" + std::to_string(number) + " includes " +
                                m[0].str().substr(m[0].str().find('"')));
        }
    }
    return found;
}

TEST(LayeringTest, EveryIncludePointsDown) {
    const std::vector<std::string> found = includesAgainstTheOrder(fs::path(QUILLORA_SOURCE_DIR) / "src");
    std::string report;
    for (const std::string& f : found)
        report += "\n  " + f;
    EXPECT_TRUE(found.empty()) << "includes against the order:" << report;
}

TEST(LayeringTest, TheOrderItself) {
    struct Row {
        const char* from;
        const char* to;
        bool allowed;
    };
    const Row rows[] = {
        {"datafiles", "runtime", true},   {"runtime", "toolkit", false},   {"state", "toolkit", true},
        {"settings", "printing", false},  {"printing", "state", true},     {"invoicing", "shell", false},
        {"shell", "invoicing", true},     {"toolkit", "money", false},     {"main", "shell", true},
        {"state", "state", true},         {"unknown", "runtime", false},   {"accounting", "backup", false},
        {"shell", "backup", true},        {"accounting", "archive", true}, {"printing", "payments", true},
        {"payments", "datafiles", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(mayInclude(row.from, row.to), row.allowed) << row.from << " -> " << row.to;
}

} // namespace
