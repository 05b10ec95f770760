// The backup: every byte of the data folder comes back from it, and a backup that was damaged in any
// way is named and restores nothing.

#include "archive/archivefiles.h"
#include "archive/archivewriter.h"
#include "backup/backupzip.h"
#include "support/testenv.h"

#include <zip.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

namespace fs = std::filesystem;

class BackupTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", "1\r\nHerr|M\xFCller|Max||Weg 1|Ort\r\n0\r\n2\r\n");
        writeData("ReData.dat", "1|M\xFCller|1|12,50|01.12.2026\r\n2|M\xFCller|1|1,00|02.12.2026\r\n");
        writeData("Rechnungen/1.txt", "Herr\r\nMax M\xFCller\r\n\r\nWeg 1\r\nOrt\r\n12,50\r\n");
        writeData("Firma.ini", "Firmenname=Holzwerk\r\n");
        writeData("Quillora.lock", "");
        ASSERT_EQ(archiveInvoice(1, "<xml 1/>", std::string(3000, '%'), std::nullopt),
                  ArchiveOutcome::Archived);
        ASSERT_EQ(archiveInvoice(2, "<xml 2/>", "%PDF 2", "<x 2/>"), ArchiveOutcome::Archived);
    }
    /// Every file below folder, by relative path.
    static std::map<std::string, std::string> tree(const std::string& folder) {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            files[fs::relative(entry.path(), folder).generic_string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    }
    /// Changes the backup's ZIP file with libzip.
    void alter(const std::function<void(zip_t*)>& change) {
        int error = 0;
        zip_t* zip = zip_open(dataPath("Sicherung.zip").c_str(), 0, &error);
        ASSERT_NE(zip, nullptr);
        change(zip);
        ASSERT_EQ(zip_close(zip), 0);
    }
    static void put(zip_t* zip, const char* name, const std::string& bytes) {
        char* copy = static_cast<char*>(malloc(bytes.size() + 1));
        std::copy(bytes.begin(), bytes.end(), copy);
        ASSERT_GE(zip_file_add(zip, name, zip_source_buffer(zip, copy, bytes.size(), 1), ZIP_FL_OVERWRITE),
                  0);
    }
};

TEST_F(BackupTest, BackupAndRestoreGiveBackEveryByte) {
    auto before = tree(dataPath(""));
    before.erase("Quillora.lock");
    const BackupOutcome backup = writeBackup("Sicherung.zip", {"Quillora.lock"}, dateValueOf(2026, 4, 2));
    ASSERT_TRUE(backup.written) << backup.problem;
    EXPECT_EQ(backup.files, static_cast<int>(before.size()));
    const RestoreOutcome restore = restoreBackup(dataPath("Sicherung.zip"), dataPath("Neu"));
    ASSERT_TRUE(restore.restored) << restore.message;
    EXPECT_EQ(restore.message, "Die Datensicherung vom 02.04.2026 wurde nach " + dataPath("Neu") +
                                   " zur\xFC" + "ckgespielt: 10 Dateien, alle Pr\xFC" +
                                   "fsummen in Ordnung, Archiv in Ordnung (2 Rechnungen).");
    EXPECT_EQ(tree(dataPath("Neu")), before);
}

TEST_F(BackupTest, ADamagedBackupIsNamedAndRestoresNothing) {
    const std::string chain = "Archiv/" + std::string(kChainFileName);
    struct Case {
        const char* name;
        std::function<void()> damage;
        std::string problem;
    };
    const Case cases[] = {
        {"a file changed", [this] { alter([](zip_t* z) { put(z, "ReData.dat", "1|x\r\n"); }); },
         "die Datei ReData.dat stimmt nicht mit ihrer Pr\xFC"
         "fsumme \xFC"
         "berein"},
        {"a file added", [this] { alter([](zip_t* z) { put(z, "Option.ini", "x"); }); },
         "die Datei Option.ini steht nicht in der Pr\xFC"
         "fsummenliste"},
        {"a file taken out",
         [this] { alter([](zip_t* z) { zip_delete(z, zip_name_locate(z, "Firma.ini", 0)); }); },
         "die Datei Firma.ini fehlt"},
        {"the list taken out",
         [this] { alter([](zip_t* z) { zip_delete(z, zip_name_locate(z, "Quillora-Sicherung.txt", 0)); }); },
         "die Pr\xFC"
         "fsummenliste fehlt"},
        {"the archive's chain and the list changed alike",
         [this, &chain] {
             const std::string kept = readData(chain);
             std::string changed = kept;
             changed[0] = '9';
             writeData(chain, changed);
             ASSERT_TRUE(writeBackup("Sicherung.zip", {}, 0).written);
             writeData(chain, kept);
         },
         "die Pr\xFC"
         "fsummenliste des Archivs ist ab Zeile 2 ver\xE4ndert"},
        {"bytes cut off", [this] { writeData("Sicherung.zip", readData("Sicherung.zip").substr(0, 900)); },
         "sie ist keine lesbare ZIP-Datei"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(writeBackup("Sicherung.zip", {}, 0).written);
        c.damage();
        const RestoreOutcome restore = restoreBackup(dataPath("Sicherung.zip"), dataPath("Neu"));
        EXPECT_FALSE(restore.restored);
        EXPECT_NE(restore.message.find(c.problem), std::string::npos) << restore.message;
        EXPECT_FALSE(fs::exists(dataPath("Neu")));
        EXPECT_FALSE(fs::exists(dataPath("Neu.quillora-tmp")));
    }
    ASSERT_TRUE(writeBackup("Sicherung.zip", {}, 0).written);
    writeData("Voll/alt.txt", "alt");
    EXPECT_EQ(restoreBackup(dataPath("Sicherung.zip"), dataPath("Voll")).message,
              "Der Ordner " + dataPath("Voll") +
                  " ist nicht leer. Eine Datensicherung wird nur in einen leeren Ordner zur\xFC"
                  "ckgespielt.");
    EXPECT_EQ(tree(dataPath("Voll")), (std::map<std::string, std::string>{{"alt.txt", "alt"}}));
}

} // namespace
