// Getting paid through the real windows: payments recorded and removed in the payment window and the
// states they give; reminder and dunning letters level after level with fee and interest in exact
// money; the GiroCode of a printed invoice as a banking app's scanner reads it.

#include "archive/archivecheck.h"
#include "einvoicefolder.h"
#include "payments/dunning.h"
#include "printtesting.h"
#include "runtime/conversions.h"
#include "runtime/lists.h"
#include "state/settings.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QColor>
#include <QTableView>

namespace {

std::string day(int fromToday) {
    return formatDate("%dd.%mm.%yyyy", addDays(currentDate(), fromToday));
}

const std::string kCustomer =
    "1\r\nHerr|Beispiel|Max||Hauptstr. 1|Musterstadt|||DE987654321|12345|Musterstadt|DE\r\n"
    "1\r\nSchraube|Teile|0,50|M6\r\n";

struct ToolOutput {
    int exitCode = -1;
    std::string out;
};

ToolOutput run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    ToolOutput result;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    return result;
}

class ReceivablesTest : public PrintTest {
  protected:
    /// The receivables columns of an invoice row: Fällig am, Bezahlt, Offen, Zahlstatus.
    static std::vector<std::string> openItemCells(int row) {
        std::vector<std::string> cells;
        const int first = listColumnCount(kInvoiceList) - 4;
        for (int c = first; c < first + 4; ++c)
            cells.push_back(getCell(kInvoiceList, row, c));
        return cells;
    }
    static void press(int button) {
        ASSERT_TRUE(clickButton(button));
        dispatch();
    }
    void selectInvoice(int row) {
        setState(kTabPanel, kInvoicesPage);
        ASSERT_TRUE(selectRow(kInvoiceList, row));
        dispatch();
    }
    /// A part of page 1 in millimetres of the printable area (5 mm page margins): x, y, width, height.
    using Area = std::array<double, 4>;
    /// The part rendered at 300 dpi (pdftoppm); its PNG file.
    QString render(const std::string& pdf, const Area& area) {
        const QString png = QString::fromStdString(dataPath("qr"));
        QStringList args = {"-r", "300", "-png", "-singlefile", "-f", "1", "-l", "1"};
        const char* flags[] = {"-x", "-y", "-W", "-H"};
        for (int i = 0; i < 4; ++i)
            args << flags[i] << QString::number(std::lround(((i < 2 ? 5 : 0) + area[i]) * 300 / 25.4));
        run("pdftoppm", args << QString::fromStdString(pdf) << png);
        return png + ".png";
    }
    /// What zbarimg reads from the QR codes in that part.
    std::string decodeQr(const std::string& pdf, const Area& area = {-5, -5, 210, 297}) {
        return run("zbarimg", {"-q", "--raw", render(pdf, area)}).out;
    }
};

TEST_F(ReceivablesTest, PaymentsAddUpAndGiveTheState) {
    writeData("Daten.dat", kCustomer + "3\r\n");
    writeData("ReData.dat", "1|Alt|1|100,00|01.01.2020\r\n2|Beispiel|1|119,00|" + day(-24) +
                                "\r\n3|Beispiel|1|119,00|" + day(-3) + "\r\n");
    writeData("Rechnungen/3.txt", "Herr\r\n");
    writeData("Forderungen.dat", "2|" + day(-24) + "|" + day(-10) + "|119,00||\r\n3|" + day(-3) + "|" +
                                     day(11) + "|119,00|" + day(4) + "|2,38\r\n");
    start();
    EXPECT_EQ(openItemCells(0), (std::vector<std::string>{"", "0,00", "100,00", "offen"}));
    EXPECT_EQ(getText(kOverdueNotice), "1 Rechnung ist \xFC"
                                       "berf\xE4llig (119,00 \x80).");
    struct Step {
        const char* name;
        int row;
        const char* amount; // nullptr: remove the earlier payment `removed`
        int answer;         // to the question, when one is asked
        std::vector<std::string> cells;
        std::string question; // "" when none is asked
        int removed = 0;
    };
    const std::string overdue = "\xFC"
                                "berf\xE4llig";
    const Step steps[] = {
        {"part of an invoice from before the terms", 0, "40", kAnswerOk, {"", "40,00", "60,00", "offen"}, ""},
        {"the rest", 0, "60,00", kAnswerOk, {"", "100,00", "0,00", "bezahlt"}, ""},
        {"more than is open, declined",
         0,
         "5",
         kAnswerNo,
         {"", "100,00", "0,00", "bezahlt"},
         "Der Betrag \xFC"
         "bersteigt den offenen Betrag von 0,00 \x80. Trotzdem erfassen?"},
        {"part of an overdue invoice", 1, "19", kAnswerOk, {day(-10), "19,00", "100,00", overdue}, ""},
        {"more than is open, taken",
         1,
         "1.100,00",
         kAnswerYes,
         {day(-10), "1119,00", "-1000,00", "bezahlt"},
         "Der Betrag \xFC"
         "bersteigt den offenen Betrag von 100,00 \x80. Trotzdem erfassen?"},
        {"removed again",
         1,
         nullptr,
         kAnswerYes,
         {day(-10), "19,00", "100,00", overdue},
         "Soll die Zahlung vom " + day(0) + " \xFC" + "ber 1100,00 \x80 wirklich entfernt werden?",
         1},
        {"the discounted amount within the discount's days",
         2,
         "116,62",
         kAnswerOk,
         {day(11), "116,62", "0,00", "bezahlt"},
         ""},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        messages.clear();
        selectInvoice(step.row);
        press(kPaymentButton);
        if (!step.question.empty())
            answerNext(step.answer);
        if (step.amount) {
            ASSERT_TRUE(typeInto(kPaymentAmountField, QString::fromLatin1(step.amount)));
            ASSERT_TRUE(typeInto(kPaymentRemarkField, QString::fromUtf8("Überweisung")));
            press(kPaymentOkButton);
        } else {
            ASSERT_TRUE(selectRow(kPaymentList, step.removed));
            press(kRemovePaymentButton);
        }
        EXPECT_EQ(openItemCells(step.row), step.cells);
        if (!step.question.empty()) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].text, step.question);
        } else {
            EXPECT_TRUE(messages.empty()) << messages.front().text;
        }
    }
    const std::string paid = "|" + day(0) + "|";
    EXPECT_EQ(readData("Zahlungen.dat"), "1" + paid + "40,00|\xDC" + "berweisung\r\n1" + paid + "60,00|\xDC" +
                                             "berweisung\r\n2" + paid + "19,00|\xDC" + "berweisung\r\n3" +
                                             paid + "116,62|\xDC" + "berweisung\r\n");
    EXPECT_EQ(getText(kOverdueNotice), "1 Rechnung ist \xFC"
                                       "berf\xE4llig (100,00 \x80).");
    const auto* view = qobject_cast<QTableView*>(controlWidget(kInvoiceList));
    EXPECT_EQ(view->model()->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(view->model()->index(2, 0).data(Qt::ForegroundRole).isValid());
    // What the next start reads back.
    start();
    EXPECT_EQ(openItemCells(1), (std::vector<std::string>{day(-10), "19,00", "100,00", overdue}));
    EXPECT_EQ(openItemCells(2), (std::vector<std::string>{day(11), "116,62", "0,00", "bezahlt"}));
    // Deleting an invoice with payments says so and takes its payments and terms along.
    messages.clear();
    selectInvoice(2);
    answerNext(kAnswerYes);
    press(kDeleteInvoiceButton);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].text,
              "Zur Rechnung Nr. 3 sind Zahlungen erfasst. Soll die Rechnung mit ihren Zahlungen "
              "wirklich gel\xF6scht werden?");
    EXPECT_EQ(readData("Zahlungen.dat").find("3|"), std::string::npos);
    EXPECT_EQ(readData("Forderungen.dat").find("3|"), std::string::npos);
}

TEST_F(ReceivablesTest, CompanyDataOfGettingPaidAreCheckedAndKept) {
    struct Row {
        std::array<const char*, 5> typed; // Skonto %, Skonto Tage, Mahngebühr, Verzugszinssatz, Zahlungsziel
        const char* refusal;              // the message's beginning; nullptr when saved
    };
    const Row rows[] = {
        {{"2,555", "7", "", "", "10"}, "Skonto % ist ung\xFCltig"},
        {{"100", "7", "", "", "10"}, "Skonto % ist ung\xFCltig"},
        {{"2", "7 Tage", "", "", "10"}, "Skonto Tage ist ung\xFCltig"},
        {{"2", "", "", "", "10"}, "Skonto % und Skonto Tage geh\xF6ren zusammen"},
        {{"", "", "-5", "", "10"}, "Die Mahngeb\xFChr ist ung\xFCltig"},
        {{"", "", "", "100,01", "10"}, "Der Verzugszinssatz ist ung\xFCltig"},
        {{"", "", "", "", ""}, "Das Zahlungsziel f\xFCr Mahnungen ist ung\xFCltig"},
        {{"2,5", "10", "5,00", "9,12", "14"}, nullptr},
    };
    start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed[0]);
        messages.clear();
        ASSERT_TRUE(chooseMenuItem("Firmendaten (E-Rechnung)"));
        dispatch();
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(typeInto(kReceivablesFirstField + i, QString::fromLatin1(row.typed[i])));
        press(kSaveCompanyButton);
        if (row.refusal) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(messages[0].text.starts_with(row.refusal)) << messages[0].text;
            EXPECT_EQ(readData("Firma.ini"), "");
        } else {
            EXPECT_TRUE(messages.empty());
        }
    }
    EXPECT_NE(readData("Firma.ini")
                  .find("SkontoProzent=2,5\r\nSkontoTage=10\r\nMahngebuehr=5,00\r\n"
                        "Verzugszinssatz=9,12\r\nMahnZahlungsziel=14\r\n"),
              std::string::npos);
}

TEST(InterestTest, OpenTimesRateTimesDaysOver365InExactMoney) {
    struct Row {
        const char* name;
        const char* open;
        const char* rate;
        int days;
        std::optional<std::string> interest;
    };
    const Row rows[] = {
        {"a month at the rate for businesses", "1000,00", "9,12", 30, "7,50"},
        {"exactly half a cent rounds up", "0,05", "50", 73, "0,01"},
        {"just below half a cent", "0,05", "49,99", 73, "0,00"},
        {"no days", "1000,00", "9,12", 0, "0,00"},
        {"a year at 100 % of the largest amount", "92233720368547758,07", "100", 365, "92233720368547758,07"},
        {"a day more than that", "92233720368547758,07", "100", 366, std::nullopt},
    };
    for (const Row& row : rows) {
        const std::optional<money::Amount> interest =
            interestOf(money::parse<money::Amount>(row.open), money::parse<money::Rate>(row.rate), row.days);
        EXPECT_EQ(interest ? std::optional(money::formatAmount(*interest)) : std::nullopt, row.interest)
            << row.name;
    }
}

TEST_F(ReceivablesTest, DunningLettersOneLevelAfterTheOther) {
    writeData("Daten.dat", kCustomer + "8\r\n");
    writeData("Firma.ini", companyFile(kCompleteCompany) + "Mahngebuehr=5,00\r\nVerzugszinssatz=9,12\r\n");
    writeData("ReData.dat", "7|Beispiel|1|1000,00|" + day(-44) + "\r\n8|Beispiel|1|10,00|" + day(0) + "\r\n");
    writeData("Rechnungen/7.txt",
              "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\n12345 Musterstadt\r\n1000,00\r\n");
    // Invoice 8 is due today: not yet overdue.
    writeData("Forderungen.dat", "7|" + day(-44) + "|" + day(-30) + "|1000,00||\r\n8|" + day(-14) + "|" +
                                     day(0) + "|10,00||\r\n");
    writeData("Zahlungen.dat", "7|" + day(-20) + "|100,00|\r\n");
    start();
    printToPdf();
    struct Letter {
        const char* title;
        std::vector<std::string> words; // besides the title, in the letter
        const char* total;
    };
    // 900,00 open, 30 days overdue: 900,00 × 9,12 % × 30 / 365 = 6,746... interest.
    const Letter letters[] = {
        {"Zahlungserinnerung", {"Max", "Beispiel", "7", "900,00"}, "900,00"},
        {"1. Mahnung", {"Mahngeb\xC3\xBChr:", "5,00", "6,75", "Zu", "zahlen:"}, "911,75"},
        {"2. Mahnung", {"Mahngeb\xC3\xBChr:", "5,00", "6,75", "Zu", "zahlen:"}, "911,75"},
    };
    for (std::size_t level = 1; level <= std::size(letters); ++level) {
        const Letter& letter = letters[level - 1];
        SCOPED_TRACE(letter.title);
        messages.clear();
        selectInvoice(0);
        press(kDunningButton);
        EXPECT_TRUE(messages.empty()) << messages.front().text;
        const std::vector<PdfWord> words = readPdfWords(pdfPath());
        std::string text;
        for (const PdfWord& w : words)
            text += w.text + " ";
        EXPECT_NE(text.find(toQString(letter.title).toStdString()), std::string::npos) << text;
        for (const std::string& word : letter.words)
            EXPECT_GE(countWords(words, word), 1) << word;
        EXPECT_EQ(countWords(words, "Mahngeb\xC3\xBChr:"), level == 1 ? 0 : 1);
        EXPECT_NE(text.find("Betrag von " + std::string(letter.total) + " \xE2\x82\xAC bis zum " + day(10)),
                  std::string::npos)
            << text;
        EXPECT_EQ(readData("Archiv/7-mahnung-" + std::to_string(level) + ".pdf").substr(0, 5), "%PDF-");
    }
    std::string remembered;
    for (int level = 1; level <= 3; ++level)
        remembered += "7|" + std::to_string(level) + "|" + day(0) + "\r\n";
    EXPECT_EQ(readData("Mahnungen.dat"), remembered);
    EXPECT_EQ(verifyArchive().problem, ArchiveProblem::None);
    struct Refusal {
        int row;
        const char* text;
    };
    for (const Refusal& refusal :
         {Refusal{0, "F\xFCr die Rechnung Nr. 7 wurde bereits die 2. Mahnung gedruckt."},
          Refusal{1, "Die Rechnung Nr. 8 ist noch nicht f\xE4llig."}}) {
        messages.clear();
        selectInvoice(refusal.row);
        press(kDunningButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, refusal.text);
    }
    EXPECT_EQ(readData("Mahnungen.dat"), remembered);
}

TEST_F(ReceivablesTest, GiroCodeReadsAsTheTransferAndSkontoIsOffered) {
    struct Case {
        const char* name;
        CompanyKeys company;
        std::string payload; // "" for none
    };
    const CompanyKeys withSkonto = [] {
        CompanyKeys keys = kCompleteCompany;
        keys.emplace_back("SkontoProzent", "2");
        keys.emplace_back("SkontoTage", "7");
        return keys;
    }();
    const Case cases[] = {
        {"with an IBAN", withSkonto,
         "BCD\n002\n1\nSCT\nBYLADEM1001\nHolzwerk Beispiel\nDE02120300000000202051\nEUR14.88\n\n\nRechnung "
         "1"},
        {"without one", withCompanyKey(withSkonto, "IBAN", ""), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dataPath("Archiv"));
        writeData("Daten.dat", kCustomer + "0\r\n");
        writeData("Firma.ini", companyFile(c.company));
        std::filesystem::remove(dataPath("ReData.dat"));
        start();
        settings().taxRate = "19";
        printToPdf();
        press(kNewInvoiceButton);
        ASSERT_TRUE(selectRow(kCustomerPicks, 0));
        dispatch();
        press(kNewLineButton);
        ASSERT_TRUE(doubleClickRow(kArticlePicks, 0));
        dispatch();
        ASSERT_TRUE(typeInto(kQuantityField, "25"));
        press(kLineOkButton);
        if (c.payload.empty())
            answerNext(kAnswerYes); // paper only: no e-invoice without an IBAN
        press(kCreateInvoiceButton);
        ASSERT_EQ(rowCount(kInvoiceList), 1);
        const std::string payload = decodeQr(pdfPath());
        EXPECT_EQ(QString::fromStdString(payload).trimmed().toStdString(), c.payload);
        const std::vector<PdfWord> words = readPdfWords(pdfPath());
        EXPECT_EQ(countWords(words, "Banking-App"), c.payload.empty() ? 0 : 1);
        // 14,88 € less 2 % by a week from today.
        std::string text;
        for (const PdfWord& w : words)
            text += w.text + " ";
        EXPECT_NE(text.find("Bei Zahlung bis " + day(7) + " 2 % Skonto (0,30 \xE2\x82\xAC)"),
                  std::string::npos)
            << text;
        if (c.payload.empty())
            continue;
        // It reads from the free area left of the totals (below their rule at 220, above the terms at
        // 245, left of their labels at 145), and the code alone is at least 20 mm square.
        EXPECT_EQ(decodeQr(pdfPath(), {20, 220.5, 124, 24}), payload);
        const std::string size =
            run("convert", {render(pdfPath(), {20, 220.5, 27, 24}), "-trim", "-format", "%w %h", "info:"})
                .out;
        const double mmPerPixel = 25.4 / 300;
        EXPECT_GE(QString::fromStdString(size).section(' ', 0, 0).toDouble() * mmPerPixel, 20) << size;
        EXPECT_GE(QString::fromStdString(size).section(' ', 1, 1).toDouble() * mmPerPixel, 20) << size;
        // The archived PDF carries the same code; the e-invoice the cash discount in XRechnung's form.
        EXPECT_EQ(decodeQr(dataPath("Archiv/1.pdf")), payload);
        EXPECT_NE(readData("Archiv/1.xml").find("#SKONTO#TAGE=7#PROZENT=2.00#\n"), std::string::npos);
    }
}

} // namespace
