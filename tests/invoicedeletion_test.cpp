// "Löschen" on the invoices page, driven through the real program: the item file, the list row, the
// register line and the messages.

#include "runtime/diskops.h"
#include "runtime/linefile.h"
#include "shell/mainwindow.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The register line of invoice n, as the program writes it.
std::string registerLine(int n) {
    const std::string number = std::to_string(n);
    return number + "|Kunde" + number + "|" + number + "|1" + number + ",50|0" + number + ".12.2026\r\n";
}

std::string registerOf(const std::vector<int>& numbers) {
    std::string bytes;
    for (int n : numbers)
        bytes += registerLine(n);
    return bytes;
}

std::string itemFile(int n) {
    return "Rechnungen/" + std::to_string(n) + ".txt";
}

class InvoiceDeletionTest : public ProgramTest {
  protected:
    // Starts the program on this register, with an item file for each invoice in items.
    void startWith(const std::string& registerBytes, const std::vector<int>& items) {
        writeData("ReData.dat", registerBytes);
        for (int n : items)
            writeData(itemFile(n), "Herr\r\nMax Beispiel\r\n\r\nHauptstr. 1\r\nMusterstadt\r\n0,00\r\n");
        start();
        setState(kTabPanel, kInvoicesPage);
    }

    // Selects row r of the invoice list, presses "Löschen" and answers the question with answer.
    void deleteRow(int r, int answer = kAnswerYes) {
        ASSERT_TRUE(selectRow(kInvoiceList, r));
        answerNext(answer);
        ASSERT_TRUE(clickButton(kDeleteInvoiceButton));
        dispatch();
    }

    std::vector<std::string> listedNumbers() {
        std::vector<std::string> numbers;
        for (int i = 0; i < rowCount(kInvoiceList); ++i)
            numbers.push_back(getCell(kInvoiceList, i, 0));
        return numbers;
    }
};

struct DeletionCase {
    const char* name;
    std::string registerBytes;
    std::vector<int> items;
    int row;
    std::string deleted;
    std::string registerAfter;
    std::vector<std::string> listAfter;
};

TEST_F(InvoiceDeletionTest, RemovesTheItemFileTheRowAndTheRightRegisterLine) {
    const std::string emptyLine = "\r\n";
    const std::string noNumber = "|Kunde0|0|0,00|01.12.2026\r\n";
    const std::vector<DeletionCase> cases = {
        {"last-of-three", registerOf({1, 2, 3}), {1, 2, 3}, 2, "3", registerOf({1, 2}), {"1", "2"}},
        {"only-one", registerOf({7}), {7}, 0, "7", "", {}},
        {"middle-of-three", registerOf({1, 2, 3}), {1, 2, 3}, 1, "2", registerOf({1, 3}), {"1", "3"}},
        {"empty-line-before",
         registerLine(1) + emptyLine + registerLine(2) + registerLine(3),
         {1, 2, 3},
         1,
         "2",
         registerLine(1) + emptyLine + registerLine(3),
         {"1", "3"}},
        {"line-without-number-before",
         noNumber + registerLine(4) + registerLine(5),
         {4, 5},
         1,
         "5",
         noNumber + registerLine(4),
         {"4"}},
    };
    for (const DeletionCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(dataPath("Rechnungen"));
        messages.clear();
        startWith(c.registerBytes, c.items);
        deleteRow(c.row);

        EXPECT_EQ(readData("ReData.dat"), c.registerAfter);
        EXPECT_EQ(fileSize("ReData.dat"), static_cast<std::int64_t>(c.registerAfter.size()));
        EXPECT_EQ(listedNumbers(), c.listAfter);
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].text, "Soll die Rechnung Nr. " + c.deleted + " wirklich gel\xF6scht werden?");
        EXPECT_EQ(messages[1].caption, "Rechnung gel\xF6scht");
        EXPECT_EQ(messages[1].text, "Die Rechnung Nr.:" + c.deleted + " wurde gel\xF6scht!");
        EXPECT_EQ(messages[1].flags, kMessageOk);
        for (int n : c.items)
            EXPECT_EQ(fileSize(itemFile(n)) == -1, std::to_string(n) == c.deleted) << n;
    }
}

TEST_F(InvoiceDeletionTest, MissingItemFileChangesNothing) {
    const std::string before = registerOf({1, 2});
    startWith(before, {1});
    deleteRow(1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].caption, "Fehler!");
    EXPECT_EQ(messages[1].text, "Die Rechnung Nr.:2 konnte nicht gel\xF6scht werden!");
    EXPECT_EQ(messages[1].flags, kMessageOk);
    EXPECT_EQ(listedNumbers(), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(readData("ReData.dat"), before);
    EXPECT_GE(fileSize(itemFile(1)), 0);
}

TEST_F(InvoiceDeletionTest, NothingSelectedDoesNothing) {
    const std::string before = registerOf({1});
    startWith(before, {1});
    setState(kInvoiceList, -1);
    ASSERT_TRUE(clickButton(kDeleteInvoiceButton));
    dispatch();
    EXPECT_EQ(shellState().selectedRow, -1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(rowCount(kInvoiceList), 1);
    EXPECT_EQ(readData("ReData.dat"), before);
    EXPECT_GE(fileSize(itemFile(1)), 0);
}

TEST_F(InvoiceDeletionTest, FailedRewriteKeepsTheOldRegisterAndSaysSo) {
    const std::string before = registerOf({1, 2, 3});
    startWith(before, {1, 2, 3});
    ASSERT_TRUE(selectRow(kInvoiceList, 1));
    answerNext(kAnswerYes);
    ASSERT_TRUE(clickButton(kDeleteInvoiceButton));
    // The item file goes (the first change on disk); every later change fails, as on a full disk.
    resetDiskFaults();
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = 2;
    diskFaults().error = ENOSPC;
    dispatch();
    const int injected = diskFaults().injected;
    resetDiskFaults();

    EXPECT_GT(injected, 0);
    EXPECT_EQ(fileSize(itemFile(2)), -1);
    EXPECT_EQ(readData("ReData.dat"), before);
    EXPECT_EQ(fileSize("ReData.dat.quillora-tmp"), -1);
    EXPECT_EQ(listedNumbers(), (std::vector<std::string>{"1", "3"}));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1].text, "Die Rechnung Nr.:2 wurde gel\xF6scht!");
    EXPECT_EQ(messages[2].caption, "Fehler!");
    EXPECT_EQ(messages[2].text, "Das Rechnungsregister konnte nicht ge\xE4ndert werden!");
    EXPECT_EQ(messages[2].flags, kMessageOk);
}

// Only a plain decimal number names an item file; any other register entry is no file name, so its
// deletion changes nothing, wherever the name would lead.
TEST_F(InvoiceDeletionTest, ANumberThatIsNoPlainIntegerTouchesNoFile) {
    const char* const numbers[] = {"..\\victim", "../victim", "+5", " 5", "5 ", "-", "5x", "1e3"};
    for (const char* number : numbers) {
        SCOPED_TRACE(number);
        messages.clear();
        // Every file the number could name, in and outside the folder of the item files.
        for (const std::string& name :
             {std::string("victim.txt"), "Rechnungen/" + std::string(number) + ".txt",
              std::string("Rechnungen/5.txt")})
            writeData(name, "bleibt");
        const std::string before = std::string(number) + "|X|1|0,00|01.01.2026\r\n";
        startWith(before, {});
        deleteRow(0);
        EXPECT_EQ(messages.size(), 2u);
        EXPECT_EQ(errorTexts(), std::vector<std::string>{"Die Rechnung Nr.:" + std::string(number) +
                                                         " konnte nicht gel\xF6scht werden!"});
        EXPECT_EQ(listedNumbers(), std::vector<std::string>{number});
        EXPECT_EQ(readData("ReData.dat"), before);
        EXPECT_EQ(readData("victim.txt"), "bleibt");
        EXPECT_EQ(readData("Rechnungen/5.txt"), "bleibt");
        EXPECT_EQ(readData("Rechnungen/" + std::string(number) + ".txt"), "bleibt");
    }
}

} // namespace
