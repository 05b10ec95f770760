// The menu "Buchhaltung" and the backup's items as the user meets them: the menus, the period dialog
// with its focus and Tab order, the DATEV export and the VAT figures through the real windows, and
// the company data's section "Buchhaltung".

#include "accounting/programrecords.h"
#include "printing/printtarget.h"
#include "settings/accountingfields.h"
#include "state/companydata.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

const std::string kRegister = "1|M\xFCller|2|100,00|01.12.2026\r\n2|Bau|7|50,00|15.12.2026\r\n"
                              "3|M\xFCller|2|10,00|04.01.2027\r\n4|Bau|7|-50,00|20.12.2026\r\n";

class AccountingMenuTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        writeData("ReData.dat", kRegister);
        writeData("Rechnungen/2-Zeilen.txt", "Holz||1|30|30,00|19|S|C62\r\nBuch||1|20|20,00|7|S|C62\r\n");
        writeData("Zahlungen.dat", "2|20.12.2026|57,10|\r\n");
        // Invoice 4 cancels invoice 2.
        writeData("Korrekturen.dat", "4|Storno|2|15.12.2026|\r\n");
        writeData("Rechnungen/4-Zeilen.txt", "Holz||1|-30|-30,00|19|S|C62\r\nBuch||1|-20|-20,00|7|S|C62\r\n");
        std::string options = "Firma\r\n\r\n18\r\nWeg 1\r\n6\r\n10\r\n8\r\n7\r\n";
        for (int i = 0; i < 20; ++i)
            options += "A\r\n";
        writeData("Option.ini", options + "12/345\r\n19\r\n0");
        writeData("Firma.ini", "Firmenname=Holzwerk\r\nBeraternummer=29098\r\nMandantennummer=55003\r\n");
        start();
    }
    static QStringList items(const QString& title) {
        for (QAction* action : windowWidget(kMainWindow)->findChild<QMenuBar*>()->actions()) {
            if (QString(action->text()).remove('&') == title) {
                QStringList texts;
                for (const QAction* item : action->menu()->actions())
                    texts << (item->isSeparator() ? "-" : item->text());
                return texts;
            }
        }
        return {};
    }
    void choose(const char* item) {
        ASSERT_TRUE(chooseMenuItem(QString::fromLatin1(item)));
        dispatch();
    }
    void typePeriod(const char* from, const char* to) {
        ASSERT_TRUE(typeInto(kPeriodFromField, from));
        ASSERT_TRUE(typeInto(kPeriodToField, to));
    }
};

TEST_F(AccountingMenuTest, TheMenusAndThePeriodDialog) {
    QStringList titles;
    for (const QAction* title : windowWidget(kMainWindow)->findChild<QMenuBar*>()->actions())
        titles << title->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Option", "&Buchhaltung", "&Help"}));
    EXPECT_EQ(items("Buchhaltung"),
              (QStringList{"DATEV-Export...", QString::fromUtf8("Umsatzsteuer-Übersicht..."),
                           QString::fromUtf8("Datenexport für die Betriebsprüfung...")}));
    const QStringList file = items("File");
    EXPECT_EQ(file.mid(file.size() - 4),
              (QStringList{"Datensicherung...", QString::fromUtf8("Datensicherung zurückspielen..."), "-",
                           "E&xit"}));
    struct Row {
        const char* item;
        QString title;
        bool box;
    };
    const Row rows[] = {{"DATEV-Export...", "DATEV-Export", true},
                        {"Umsatzsteuer-\xDC"
                         "bersicht...",
                         QString::fromUtf8("Umsatzsteuer-Übersicht"), false},
                        {"Datenexport f\xFCr die Betriebspr\xFC"
                         "fung...",
                         QString::fromUtf8("Datenexport für die Betriebsprüfung"), false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.item);
        choose(row.item);
        QWidget* dialog = windowWidget(kPeriodWindow);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), row.title);
        dialog->activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), controlWidget(kPeriodFromField));
        EXPECT_EQ(controlWidget(kExportPaymentsBox) != nullptr, row.box);
        // The focus chain, stepping over what takes no focus, from "von" round to "von".
        QStringList order;
        QWidget* w = controlWidget(kPeriodFromField);
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                order << (qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                            : QString(w->metaObject()->className()));
            w = w->nextInFocusChain();
        } while (w != controlWidget(kPeriodFromField) && order.size() < 10);
        EXPECT_EQ(order, row.box ? (QStringList{"QLineEdit", "QLineEdit", "Zahlungen exportieren", "OK"})
                                 : (QStringList{"QLineEdit", "QLineEdit", "OK"}));
        closeWindow(kPeriodWindow);
    }
}

TEST_F(AccountingMenuTest, DatevExportThroughTheWindows) {
    std::vector<std::string> asked;
    setSaveFileAnswerer([&](const std::string& caption, const std::string& name) {
        asked.push_back(caption + ": " + name);
        return name;
    });
    choose("DATEV-Export...");
    typePeriod("01.11.2026", "30.11.2026");
    ASSERT_TRUE(clickButton(kDatevOkButton));
    dispatch();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Im Zeitraum gibt es keine Buchungen.");
    typePeriod("01.12.2026", "31.12.2026");
    setState(kExportPaymentsBox, 1);
    ASSERT_TRUE(clickButton(kDatevOkButton));
    dispatch();
    EXPECT_EQ(asked, std::vector<std::string>{"DATEV-Export: EXTF_Buchungsstapel_20261201_20261231.csv"});
    EXPECT_FALSE(windowExists(kPeriodWindow));
    EXPECT_EQ(messages.back().text, "DATEV-Export gespeichert: 6 Buchungen.");
    const std::string file = readData("EXTF_Buchungsstapel_20261201_20261231.csv");
    // Net prices at 19 %: 100,00 net are 119,00 on debtor 10000 against 8400. Invoice 2's line record
    // splits it into 19 % and 7 %; its payment is a bank booking.
    EXPECT_EQ(file.substr(0, 11), "\"EXTF\";700;");
    for (const char* booking : {"\r\n119,00;\"S\";\"EUR\";;;;10000;8400;;0112;\"1\";;;\"M\xFCller\";",
                                "\r\n35,70;\"S\";\"EUR\";;;;10000;8400;;1512;\"2\";;;\"Bau\";",
                                "\r\n21,40;\"S\";\"EUR\";;;;10000;8300;;1512;\"2\";;;\"Bau\";",
                                "\r\n57,10;\"S\";\"EUR\";;;;1200;10000;;2012;\"2\";;;\"Bau\";",
                                "\r\n35,70;\"H\";\"EUR\";;;;10000;8400;;2012;\"4\";;;\"Bau\";",
                                "\r\n21,40;\"H\";\"EUR\";;;;10000;8300;;2012;\"4\";;;\"Bau\";"})
        EXPECT_NE(file.find(booking), std::string::npos) << booking;
}

TEST_F(AccountingMenuTest, CorrectionsAreRecordsOfTheirKindNamingTheInvoice) {
    const accounting::ProgramRecords records = accounting::programRecords();
    ASSERT_EQ(records.invoices.size(), 4u);
    EXPECT_EQ(records.invoices[1].kind, accounting::DocumentKind::Invoice);
    EXPECT_EQ(records.invoices[3].kind, accounting::DocumentKind::Cancellation);
    EXPECT_EQ(records.invoices[3].refersTo, "2");
}

TEST_F(AccountingMenuTest, TheVatFiguresOfAMonth) {
    choose("Umsatzsteuer-\xDC"
           "bersicht...");
    typePeriod("01.12.2026", "15.12.2026");
    ASSERT_TRUE(clickButton(kVatOkButton));
    dispatch();
    ASSERT_EQ(errorTexts().size(), 1u) << "half a month is no period of the return";
    typePeriod("01.12.2026", "31.12.2026");
    ASSERT_TRUE(clickButton(kVatOkButton));
    dispatch();
    ASSERT_TRUE(windowExists(kVatWindow));
    // Invoice 2's line record puts 20,00 of its 50,00 at 7 %; invoice 4 cancels it in the same month.
    for (const char* figure : {"81|100|19,00", "86|0|0,00"}) {
        bool found = false;
        for (int row = 0; row < rowCount(kVatList); ++row)
            found = found || getCell(kVatList, row, 0) + "|" + getCell(kVatList, row, 3) + "|" +
                                     getCell(kVatList, row, 4) ==
                                 figure;
        EXPECT_TRUE(found) << figure;
    }
    EXPECT_EQ(getCell(kVatList, 7, 1), "Nr. 1 M\xFCller");
    printTarget().kind = PrintTargetKind::Recorder;
    printTarget().recorderArea = {2000, 2870, 200, 287};
    messages.clear();
    ASSERT_TRUE(clickButton(kVatPrintButton));
    dispatch();
    EXPECT_TRUE(messages.empty());
}

TEST_F(AccountingMenuTest, TheCompanyDataSectionChecksEveryValue) {
    struct Row {
        int field;
        const char* text;
        std::string message;
    };
    const Row rows[] = {
        {kAdviserNumberField, "1000", "Die Beraternummer muss eine Zahl von 1001 bis 9999999 sein."},
        {kClientNumberField, "100000", "Die Mandantennummer muss eine Zahl von 1 bis 99999 sein."},
        {kFiscalYearStartField, "29.02.",
         "\"Wirtschaftsjahr beginnt\" muss ein Tag in der Form TT.MM. sein (z. B. 01.01.)."},
        {kAccountLengthField, "9", "Die Sachkontenl\xE4nge muss eine Zahl von 4 bis 8 sein."},
        {kFirstAccountField, "84000",
         "Das Konto \"Erl\xF6se 19 %\" muss eine Zahl mit h\xF6"
         "chstens 4 Ziffern sein."},
    };
    const std::string before = readData("Firma.ini");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        choose("Firmendaten (E-Rechnung)");
        ASSERT_TRUE(typeInto(row.field, row.text));
        messages.clear();
        ASSERT_TRUE(clickButton(kSaveCompanyButton));
        dispatch();
        EXPECT_EQ(errorTexts(), std::vector<std::string>{row.message});
        EXPECT_EQ(readData("Firma.ini"), before);
    }
    // An earlier Firma.ini saved unchanged keeps its bytes: no key of the section is added.
    const std::string earlier =
        "Firmenname=Holzwerk\r\nAnsprechpartner=\r\nStrasse=\r\nPLZ=\r\nOrt=\r\nLand=DE\r\nTelefon=\r\n"
        "EMail=\r\nSteuernummer=214/1\r\nUStIdNr=\r\nIBAN=\r\nBIC=\r\nZahlungsziel=14\r\n"
        "Zahlungsbedingungen=Zahlbar innerhalb von 14 Tagen ohne Abzug.\r\nKleinunternehmer=0\r\n";
    writeData("Firma.ini", earlier);
    start();
    choose("Firmendaten (E-Rechnung)");
    ASSERT_TRUE(clickButton(kSaveCompanyButton));
    dispatch();
    EXPECT_EQ(readData("Firma.ini"), earlier);
}

} // namespace
