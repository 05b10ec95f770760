// The window of a received e-invoice through the real toolkit: "E-Rechnung öffnen..." shows it with the
// check's result, "Drucken" prints every page with its number, "In Eingangsrechnungen ablegen" keeps
// it once and lists it, "Anhänge speichern..." writes its attachment, and a file that is no invoice is
// answered with its reason.

#include "archive/archivecheck.h"
#include "einvoice/ciiwriter.h"
#include "einvoicetesting.h"
#include "printing/printtarget.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QWidget>

namespace {

class ReceivedWindowTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        start();
    }
    void open(const std::string& name) {
        setOpenFileAnswerer([this, name](const std::string&) { return dataPath(name); });
        ASSERT_TRUE(chooseMenuItem(QString::fromUtf8("E-Rechnung öffnen...")));
        dispatch();
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
};

TEST_F(ReceivedWindowTest, ShowPrintKeepOnceAndSaveTheAttachment) {
    // Sixty lines: the printout takes more than one page.
    const einvoice::Document doc = variedDocument(5);
    ASSERT_EQ(doc.lines.size(), 60u);
    writeData("Lieferant.xml", withAttachment(einvoice::ciiXml(doc, einvoice::Profile::En16931),
                                              "Stundenzettel.csv", "Tag;Stunden\r\n"));
    open("Lieferant.xml");
    ASSERT_TRUE(windowExists(kReceivedInvoiceWindow));
    EXPECT_EQ(windowWidget(kReceivedInvoiceWindow)->windowTitle(), "E-Rechnung 1005 von Beispiel Handel");
    EXPECT_EQ(transientOwner(windowWidget(kReceivedInvoiceWindow)), windowWidget(kMainWindow));
    EXPECT_EQ(getCell(kReceivedFindingsList, 0, 0), "Rechnerisch gepr\xFC"
                                                    "ft: in Ordnung");
    EXPECT_EQ(rowCount(kReceivedLinesList), 60);

    printTarget().kind = PrintTargetKind::PdfFile;
    printTarget().pdfPath = dataPath("Druck.pdf");
    press(kReceivedPrintButton);
    const std::string printed =
        runTool("pdftotext", {QString::fromStdString(dataPath("Druck.pdf")), "-"}).out;
    EXPECT_NE(printed.find("Rechnerisch geprüft: in Ordnung"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Seite 2 von "), std::string::npos);

    press(kReceivedKeepButton);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(readData("Eingang/2026-12-07-Beispiel Handel-1005.xml"), readData("Lieferant.xml"));
    EXPECT_EQ(verifyArchive("Eingang").problem, ArchiveProblem::None);
    const std::string list = readData("Eingang.dat");
    press(kReceivedKeepButton);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Diese E-Rechnung ist bereits in den Eingangsrechnungen abgelegt.");
    EXPECT_EQ(readData("Eingang.dat"), list);

    setSaveFileAnswerer([this](const std::string&, const std::string& name) { return dataPath(name); });
    press(kReceivedAttachmentsButton);
    EXPECT_EQ(readData("Stundenzettel.csv"), "Tag;Stunden\r\n");

    // The list of received invoices comes back with the next start.
    start();
    ASSERT_EQ(rowCount(kReceivedList), 1);
    EXPECT_EQ(getCell(kReceivedList, 0, 1), "Beispiel Handel");
    EXPECT_EQ(getCell(kReceivedList, 0, 2), "1005");
    EXPECT_EQ(getCell(kReceivedList, 0, 4), "21.12.2026");
}

TEST_F(ReceivedWindowTest, AFileThatIsNoInvoiceIsAnswered) {
    writeData("Brief.xml", "<brief/>");
    open("Brief.xml");
    EXPECT_FALSE(windowExists(kReceivedInvoiceWindow));
    EXPECT_EQ(errorTexts(),
              std::vector<std::string>{"Die Datei ist keine lesbare E-Rechnung: ihr Wurzelelement "
                                       "\"brief\" ist weder eine CII- noch eine UBL-Rechnung."});
}

} // namespace
