// "Liste exportieren (CSV)...": the exact bytes of the file, the quoting of single fields and the real
// file dialog. A failing disk is the fault sweep's part.

#include "datafiles/listexport.h"
#include "runtime/lists.h"
#include "runtime/numbers.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTableView>
#include <QTimer>

#include <filesystem>

namespace {

class ListExportTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", "2\r\nHerr|M\xFC"
                               "ller; Sohn|Hans \"Hansi\"|geheim|Gro\xDF"
                               "e Str. 1| K\xF6ln\r\n"
                               "Frau|Schmidt|Anna||Preis 5\x80|Berlin\r\n0\r\n0\r\n");
        start();
    }
    void exportShownList() {
        ASSERT_TRUE(chooseMenuItem("Liste exportieren (CSV)..."));
        dispatch();
    }
};

TEST_F(ListExportTest, FieldsAreQuotedWhenTheyMustBe) {
    const std::pair<std::string, std::string> cases[] = {
        {"M\xFCller", "M\xFCller"},
        {"", ""},
        {"a;b", "\"a;b\""},
        {"15\" Rad", "\"15\"\" Rad\""},
        {"a\nb", "\"a\nb\""},
        {"a\rb", "\"a\rb\""},
        {" a", "\" a\""},
        {"a ", "\"a \""},
        {"a b", "a b"},
        {"16668,44", "\"16668,44\""},
        {"-12,50", "\"-12,50\""},
        {"-5", "-5"},
        {"=SUMME(A1:A9)", "'=SUMME(A1:A9)"},
        {"+49 30 1234567", "'+49 30 1234567"},
        {"-", "'-"},
        {"@Kunde", "'@Kunde"},
        {"\tA", "'\tA"},
        {"\r=1;2", "\"'\r=1;2\""},
    };
    for (const auto& [cell, written] : cases)
        EXPECT_EQ(csvField(cell), written) << cell;
}

TEST_F(ListExportTest, ShownColumnsInUtf8WithBomSemicolonsAndCrLf) {
    qobject_cast<QTableView*>(controlWidget(kCustomerList))->setColumnHidden(3, true);
    std::vector<std::string> asked;
    std::string answer;
    setSaveFileAnswerer([&](const std::string& caption, const std::string& defaultName) {
        asked.push_back(caption + " / " + defaultName);
        return answer;
    });
    // Cancelled: nothing is written, so nothing fails.
    exportShownList();
    // A folder of the user's with a name beyond ASCII.
    QDir().mkpath(QString::fromStdString(dataPath("Ausgabe \xC3\x9C")));
    answer = dataPath("Ausgabe \xC3\x9C/Kunden.csv");
    exportShownList();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(asked, std::vector<std::string>(2, "Liste exportieren / Kundenliste.csv"));
    EXPECT_EQ(readData("Ausgabe \xC3\x9C/Kunden.csv"), "\xEF\xBB\xBF"
                                                       "Anrede;Name;Vorname;Strasse;Wohnort\r\n"
                                                       "Herr;\"M\xC3\xBCller; Sohn\";\"Hans \"\"Hansi\"\"\";"
                                                       "Gro\xC3\x9F"
                                                       "e Str. 1;\" K\xC3\xB6ln\"\r\n"
                                                       "Frau;Schmidt;Anna;Preis 5\xE2\x82\xAC;Berlin\r\n");
}

TEST_F(ListExportTest, TheInvoiceListEndsWithTheSumsOfItsAmounts) {
    writeData("ReData.dat", "1|A|1|10,00|01.12.2026\r\n2|B|2|2,50|02.12.2026|2,98\r\n");
    start();
    setState(kTabPanel, kInvoicesPage);
    setSaveFileAnswerer([&](const std::string&, const std::string&) { return dataPath("R.csv"); });
    exportShownList();
    const std::string csv = readData("R.csv");
    EXPECT_NE(csv.find("Gesamtbetrag;Datum;Brutto;F\xC3\xA4llig am"), std::string::npos) << csv;
    // Without a tax rate the first invoice's gross is its amount; the second has its own.
    EXPECT_TRUE(csv.ends_with("\r\nSumme:;;;12,50;;12,98;;;12,50;\r\n")) << csv;
}

// Articles show rate, category and unit as further columns only where one of them has any.
TEST_F(ListExportTest, ArticleTaxColumnsOnlyWhereAnArticleHasThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"Brot|B|2,00|frisch", "Bezeichnung;Kategorie;Preis;Beschreibung\r\nBrot;B;\"2,00\";frisch\r\n"},
        {"Brot|B|2,00|frisch|7||KGM",
         "Bezeichnung;Kategorie;Preis;Beschreibung;USt-Satz;Steuerkategorie;Einheit"
         "\r\nBrot;B;\"2,00\";frisch;7;;KGM\r\n"},
    };
    for (const auto& [article, csv] : cases) {
        writeData("Daten.dat", "0\r\n1\r\n" + article + "\r\n0\r\n");
        start();
        setSaveFileAnswerer([&](const std::string&, const std::string&) { return dataPath("Artikel.csv"); });
        setState(kTabPanel, kArticlesPage);
        exportShownList();
        EXPECT_EQ(readData("Artikel.csv"), "\xEF\xBB\xBF" + csv) << article;
        EXPECT_FALSE(listColumnShown(kArticleList, kArticleTaxColumn));
    }
}

// Nothing but the archive's own files may stand in the archive folder, however the user gets there.
TEST_F(ListExportTest, NoExportIntoTheArchiveFolder) {
    QDir().mkpath(QString::fromStdString(dataPath("Archiv/alt")));
    std::filesystem::create_directory_symlink(dataPath("Archiv"), dataPath("Ablage"));
    for (const char* target : {"Archiv/Kunden.csv", "Archiv/alt/Kunden.csv", "Ablage/Kunden.csv"}) {
        messages.clear();
        setSaveFileAnswerer([&](const std::string&, const std::string&) { return dataPath(target); });
        exportShownList();
        EXPECT_EQ(errorTexts(), std::vector<std::string>{"In den Archivordner kann nicht exportiert werden."})
            << target;
        EXPECT_FALSE(std::filesystem::exists(dataPath(target))) << target;
    }
}

TEST_F(ListExportTest, TheRealDialogProposesTheNameAndAddsTheExtension) {
    QString proposed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->windowTitle() + " " + dialog->selectedFiles().value(0);
        dialog->selectFile("Kunden");
        static_cast<QDialog*>(dialog)->accept();
    });
    exportShownList();
    EXPECT_EQ(proposed.toStdString(), "Liste exportieren " + dataPath("Kundenliste.csv"));
    EXPECT_TRUE(readData("Kunden.csv")
                    .starts_with("\xEF\xBB\xBF"
                                 "Anrede;"));
    EXPECT_TRUE(messages.empty());
}

} // namespace
