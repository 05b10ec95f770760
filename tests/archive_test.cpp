// The archive of issued invoices: files written once, the checksum list over them, and its check
// finding what was changed, removed, reordered or added behind the program's back.

#include "archive/archivecheck.h"
#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "archive/checksumchain.h"
#include "runtime/linefile.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const std::string kXml = "<rsm:CrossIndustryInvoice/>\n";
const std::string kPdf = "%PDF-1.7\n\xE2\xE3\xCF\xD3 ...";
const std::string kXRechnung = "<rsm:CrossIndustryInvoice xrechnung/>\n";

std::string chainPath() {
    return platformPath(archivePath(kChainFileName));
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void putBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(bytes.substr(at, end - at));
    return lines;
}

class ArchiveTest : public ProgramTest {
  protected:
    /// Invoices 1 and 2 with their XML and PDF, 3 with an XRechnung as well: seven files, seven lines.
    void archiveThree() {
        ASSERT_EQ(archiveInvoice(1, kXml, kPdf, std::nullopt), ArchiveOutcome::Archived);
        ASSERT_EQ(archiveInvoice(2, kXml + "2", kPdf + "2", std::nullopt), ArchiveOutcome::Archived);
        ASSERT_EQ(archiveInvoice(3, kXml + "3", kPdf + "3", kXRechnung), ArchiveOutcome::Archived);
    }
};

TEST_F(ArchiveTest, ListLinesNameFileAndLineBefore) {
    ASSERT_EQ(archiveInvoice(7, "abc", kPdf, std::nullopt), ArchiveOutcome::Archived);
    const std::vector<std::string> lines = linesOf(bytesOf(chainPath()));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "7.xml|ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad|" +
                            std::string(64, '0'));
    EXPECT_TRUE(lines[1].starts_with("7.pdf|")) << lines[1];
    EXPECT_EQ(lines[1].substr(lines[1].rfind('|') + 1), sha256Hex(lines[0]));
    EXPECT_EQ(bytesOf("Archiv/7.xml"), "abc");
    EXPECT_EQ(bytesOf("Archiv/7.pdf"), kPdf);
    for (const char* file : {"Archiv/7.xml", "Archiv/7.pdf"})
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0444)) << file;
}

TEST_F(ArchiveTest, AnExistingFileRefusesTheWholeInvoice) {
    ASSERT_EQ(archiveInvoice(4, kXml, kPdf, std::nullopt), ArchiveOutcome::Archived);
    const std::string list = bytesOf(chainPath());
    for (const char* taken : {"5.xml", "5.pdf", "5-xrechnung.xml"}) {
        SCOPED_TRACE(taken);
        for (const char* name : {"5.xml", "5.pdf", "5-xrechnung.xml"})
            fs::remove(fs::path("Archiv") / name);
        putBytes(std::string("Archiv/") + taken, "alt");
        EXPECT_EQ(archiveInvoice(5, kXml, kPdf, kXRechnung), ArchiveOutcome::Refused);
        for (const char* name : {"5.xml", "5.pdf", "5-xrechnung.xml"})
            EXPECT_EQ(fs::exists(fs::path("Archiv") / name), name == std::string(taken)) << name;
        EXPECT_EQ(bytesOf(std::string("Archiv/") + taken), "alt");
        EXPECT_EQ(bytesOf(chainPath()), list);
    }
    EXPECT_EQ(archiveInvoice(4, "neu", "neu", std::nullopt), ArchiveOutcome::Refused) << "archived before";
    EXPECT_EQ(bytesOf("Archiv/4.xml"), kXml);
    EXPECT_EQ(archiveFailureText(5), "Die E-Rechnung Nr.:5 konnte nicht gespeichert werden!");
}

TEST_F(ArchiveTest, CheckFindsTheFirstChange) {
    using Lines = std::vector<std::string>;
    struct Row {
        const char* name;
        /// Changes the archive's files or the list's lines, which are written back afterwards.
        void (*change)(Lines& list);
        std::string said;
    };
    const Row rows[] = {
        {"untouched", [](Lines&) {}, "Archiv in Ordnung (3 Rechnungen)"},
        {"leftover and subfolder are no archive files",
         [](Lines&) {
             putBytes("Archiv/9.xml.quillora-tmp", "halb");
             fs::create_directory("Archiv/alt");
         },
         "Archiv in Ordnung (3 Rechnungen)"},
        {"a changed byte",
         [](Lines&) {
             std::string pdf = bytesOf("Archiv/2.pdf");
             pdf[3] ^= 1;
             fs::permissions("Archiv/2.pdf", fs::perms::owner_write, fs::perm_options::add);
             putBytes("Archiv/2.pdf", pdf);
         },
         "Die Datei 2.pdf im Archiv stimmt nicht mit ihrer Pr\xFC"
         "fsumme \xFC"
         "berein."},
        {"a removed file", [](Lines&) { fs::remove("Archiv/3.xml"); }, "Die Datei 3.xml fehlt im Archiv."},
        {"the first line's link changed",
         [](Lines& list) { list[0].back() = list[0].back() == '0' ? '1' : '0'; },
         "Die Pr\xFC"
         "fsummenliste ist ab Zeile 1 ver\xE4ndert."},
        {"two lines swapped", [](Lines& list) { std::swap(list[2], list[3]); },
         "Die Pr\xFC"
         "fsummenliste ist ab Zeile 3 ver\xE4ndert."},
        {"a file's checksum changed in the list",
         [](Lines& list) { list[1][10] = list[1][10] == 'a' ? 'b' : 'a'; },
         "Die Pr\xFC"
         "fsummenliste ist ab Zeile 3 ver\xE4ndert."},
        {"the last line removed", [](Lines& list) { list.pop_back(); },
         "Die Datei 3-xrechnung.xml steht nicht in der Pr\xFC"
         "fsummenliste."},
        {"a file added", [](Lines&) { putBytes("Archiv/12.xml", kXml); },
         "Die Datei 12.xml steht nicht in der Pr\xFC"
         "fsummenliste."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("Archiv");
        archiveThree();
        Lines list = linesOf(bytesOf(chainPath()));
        row.change(list);
        std::string bytes;
        for (const std::string& line : list)
            bytes += line + "\r\n";
        putBytes(chainPath(), bytes);
        const ArchiveCheck check = verifyArchive();
        // In order, the check shows the link the next line will carry.
        const bool ok = row.said.starts_with("Archiv in Ordnung");
        EXPECT_EQ(describeArchiveCheck(check),
                  ok ? row.said + "\nLetzter Kettenwert: " + sha256Hex(list.back()) : row.said);
        EXPECT_EQ(check.problem == ArchiveProblem::None, ok);
    }
}

TEST_F(ArchiveTest, MenuItemTellsTheResult) {
    start();
    ASSERT_TRUE(chooseMenuItem(QString::fromUtf8("Archiv prüfen")));
    dispatch();
    archiveThree();
    fs::remove("Archiv/1.pdf");
    ASSERT_TRUE(chooseMenuItem(QString::fromUtf8("Archiv prüfen")));
    dispatch();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "Hinweis!");
    EXPECT_EQ(messages[0].text, "Archiv in Ordnung (0 Rechnungen)") << "no archive yet";
    EXPECT_EQ(messages[1].caption, "Fehler!");
    EXPECT_EQ(messages[1].text, "Die Datei 1.pdf fehlt im Archiv.");
}

} // namespace
