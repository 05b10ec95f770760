// "Liste exportieren (CSV)...": the file name asked for through the menu, and the exact bytes of the
// file; the quoting of single fields. A failing disk is the fault sweep's part.

#include "datafiles/listexport.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTableView>
#include <QTimer>

namespace {

class ListExportTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("Daten.dat", "2\r\nHerr|M\xFC"
                               "ller; Sohn|Hans \"Hansi\"|geheim|Gro\xDF"
                               "e Str. 1| K\xF6ln\r\n"
                               "Frau|Schmidt|Anna||Preis 5\x80|Berlin\r\n"
                               "1\r\nSchraube|Teile|0,50|M6\r\n0\r\n");
        writeData("ReData.dat", "7|M\xFCller|1|12,50|01.12.2026\r\n");
        start();
        setSaveFileAnswerer([this](const std::string& caption, const std::string& defaultName) {
            asked.push_back(caption + " / " + defaultName);
            return answer;
        });
    }
    void exportShownList() {
        ASSERT_TRUE(chooseMenuItem("Liste exportieren (CSV)..."));
        dispatch();
    }

    std::vector<std::string> asked;
    std::string answer;
};

TEST_F(ListExportTest, FieldsAreQuotedWhenTheyMustBe) {
    struct Case {
        const char* name;
        std::string cell;
        std::string written;
    };
    const Case cases[] = {
        {"plain", "M\xFCller", "M\xFCller"}, {"empty", "", ""},
        {"semicolon", "a;b", "\"a;b\""},     {"quotes doubled", "15\" Rad", "\"15\"\" Rad\""},
        {"line feed", "a\nb", "\"a\nb\""},   {"carriage return", "a\rb", "\"a\rb\""},
        {"leading blank", " a", "\" a\""},   {"trailing blank", "a ", "\"a \""},
        {"blank inside", "a b", "a b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(csvField(c.cell), c.written) << c.name;
}

TEST_F(ListExportTest, ShownColumnsInUtf8WithBomSemicolonsAndCrLf) {
    qobject_cast<QTableView*>(controlWidget(kCustomerList))->setColumnHidden(3, true);
    // Outside the data folder's own files, in a folder with a name beyond ASCII.
    QDir().mkpath(QString::fromStdString(dataPath("Ausgabe \xC3\x9C")));
    answer = dataPath("Ausgabe \xC3\x9C/Kunden.csv");
    exportShownList();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(asked, std::vector<std::string>{"Liste exportieren / Kundenliste.csv"});
    EXPECT_EQ(readData("Ausgabe \xC3\x9C/Kunden.csv"), "\xEF\xBB\xBF"
                                                       "Anrede;Name;Vorname;Strasse;Wohnort\r\n"
                                                       "Herr;\"M\xC3\xBCller; Sohn\";\"Hans \"\"Hansi\"\"\";"
                                                       "Gro\xC3\x9F"
                                                       "e Str. 1;\" K\xC3\xB6ln\"\r\n"
                                                       "Frau;Schmidt;Anna;Preis 5\xE2\x82\xAC;Berlin\r\n");
}

TEST_F(ListExportTest, EachPageProposesItsNameAndCancelWritesNothing) {
    struct Case {
        int page;
        const char* asked;
        const char* header;
    };
    const Case cases[] = {
        {kArticlesPage, "Liste exportieren / Artikelliste.csv",
         "Bezeichnung;Kategorie;Preis;Beschreibung\r\n"},
        {kInvoicesPage, "Liste exportieren / Rechnungsliste.csv",
         "Re. Nr.:;Name;Kd.-Nr.:;Gesamtbetrag;Datum\r\n"},
    };
    for (const Case& c : cases) {
        setState(kTabPanel, c.page);
        asked.clear();
        answer = dataPath("liste.csv");
        exportShownList();
        EXPECT_EQ(asked, std::vector<std::string>{c.asked});
        EXPECT_TRUE(readData("liste.csv").starts_with(std::string("\xEF\xBB\xBF") + c.header)) << c.asked;
    }
    // Cancelled: nothing is written, so nothing fails.
    answer.clear();
    exportShownList();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ListExportTest, TheRealDialogProposesTheNameAndAddsTheExtension) {
    setSaveFileAnswerer({});
    QString proposed;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile("Kunden");
        static_cast<QDialog*>(dialog)->accept();
    });
    exportShownList();
    EXPECT_EQ(title, "Liste exportieren");
    EXPECT_EQ(proposed.toStdString(), dataPath("Kundenliste.csv"));
    EXPECT_TRUE(readData("Kunden.csv")
                    .starts_with("\xEF\xBB\xBF"
                                 "Anrede;"));
    EXPECT_TRUE(messages.empty());
}

} // namespace
