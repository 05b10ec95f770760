// The options window: its controls and places, filling them from the settings, taking them back and
// writing Option.ini, and a save that fails.

#include "printing/printtarget.h"
#include "runtime/diskops.h"
#include "settings/settingsfile.h"
#include "shell/mainwindow.h"
#include "state/invoicestate.h"
#include "state/settings.h"
#include "state/shellstate.h"
#include "support/testenv.h"
#include "toolkit/toolkit.h"
#include "toolkit/toolkit_testing.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const std::vector<int> kSliders = {6001, 6004, 6005, 6006, 6007};
const std::vector<int> kFooterAreas = {6010, 6011, 6012, 6013};

Lines areaLines(int area) {
    Lines lines;
    for (int i = 0; i < rowCount(area); ++i)
        lines.push_back(getCell(area, i, 0));
    return lines;
}

Lines asLines(const FooterLines& block) {
    return Lines(block.begin(), block.end());
}

std::vector<int> sliderPositions() {
    std::vector<int> positions;
    for (int slider : kSliders)
        positions.push_back(getState(slider));
    return positions;
}

std::vector<int> sizesOf(const Settings& s) {
    return {s.logoSize, s.companyAddressSize, s.customerAddressSize, s.invoiceTextSize, s.otherTextSize};
}

class OptionsWindowTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        resetDiskFaults();
    }
    void TearDown() override {
        resetDiskFaults();
        ProgramTest::TearDown();
    }
    static void openOptions() {
        ASSERT_TRUE(chooseMenuItem("Algemeine Einstellungen"));
        dispatch();
        ASSERT_TRUE(windowExists(kDialogWindow));
    }
    static void pressSave() {
        ASSERT_TRUE(clickButton(kSaveOptionsButton));
        dispatch();
    }
};

struct Place {
    int number;
    const char* kind;
    QRect rect;
};

const char* kindOf(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->isReadOnly() ? "caption" : "field";
    if (qobject_cast<QSlider*>(w))
        return "slider";
    if (qobject_cast<QPlainTextEdit*>(w))
        return "area";
    if (qobject_cast<QCheckBox*>(w))
        return "check";
    if (qobject_cast<QPushButton*>(w))
        return "button";
    return "?";
}

TEST_F(OptionsWindowTest, AllControlsStandInTheirPlacesAndTabOrder) {
    start();
    openOptions();
    QWidget* window = windowWidget(kDialogWindow);
    EXPECT_EQ(window->windowTitle(), "Optionen");
    EXPECT_EQ(transientOwner(window), nullptr);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(controlWidget(kSaveOptionsButton)->parentWidget()->size(), QSize(602, 502));

    const std::vector<Place> places = {
        {6000, "field", {30, 30, 200, 20}},    {6009, "field", {30, 50, 200, 20}},
        {1, "caption", {30, 10, 200, 20}},     {6001, "slider", {60, 75, 150, 20}},
        {6003, "field", {300, 30, 210, 20}},   {4, "caption", {300, 10, 210, 20}},
        {6004, "slider", {300, 60, 210, 20}},  {6, "caption", {30, 130, 200, 20}},
        {6005, "slider", {30, 160, 200, 20}},  {8, "caption", {300, 110, 210, 20}},
        {6006, "slider", {300, 140, 210, 20}}, {10, "caption", {300, 180, 210, 20}},
        {6007, "slider", {300, 210, 210, 20}}, {6010, "area", {20, 280, 120, 80}},
        {6011, "area", {170, 280, 120, 80}},   {6012, "area", {320, 280, 120, 80}},
        {6013, "area", {470, 280, 120, 80}},   {6015, "field", {20, 390, 120, 20}},
        {6016, "field", {160, 390, 40, 20}},   {6017, "check", {350, 390, 20, 20}},
        {6008, "button", {40, 450, 200, 30}},
    };
    std::map<QWidget*, int> numberOf;
    for (const Place& p : places) {
        SCOPED_TRACE(p.number);
        QWidget* w = controlWidget(p.number);
        ASSERT_NE(w, nullptr);
        EXPECT_STREQ(kindOf(w), p.kind);
        EXPECT_EQ(w->geometry(), p.rect);
        numberOf[w] = p.number;
    }
    EXPECT_EQ(getText(kLogoCaption), "Firmenlogo f\xFCr Briefkopf");
    EXPECT_EQ(getText(kCompanyAddressCaption), "Eigene Firmenanschrift");
    EXPECT_EQ(getText(kCustomerAddressSizeCaption), "Gr\xF6\xDF"
                                                    "e der Kundenanschrift");
    EXPECT_EQ(getText(kInvoiceTextSizeCaption), "Gr\xF6\xDF"
                                                "e des Rechnungstext");
    EXPECT_EQ(getText(kOtherTextSizeCaption), "Gr\xF6\xDF"
                                              "e sonstiger Texte");
    EXPECT_EQ(getText(kSaveOptionsButton), "Speichern der Optionen");
    EXPECT_EQ(getText(kPricesGrossBox), "");
    for (int slider : kSliders) {
        auto* s = static_cast<QSlider*>(controlWidget(slider));
        EXPECT_EQ(s->minimum(), 0);
        EXPECT_EQ(s->maximum(), 3);
        EXPECT_NE(s->tickPosition(), QSlider::NoTicks);
    }

    std::map<std::string, QRect> labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels[label->text().toStdString()] = label->geometry();
    const std::map<std::string, QRect> expectedLabels = {
        {"Fu\xDFtext 1", {20, 260, 120, 20}},        {"Fu\xDFtext 2", {170, 260, 120, 20}},
        {"Fu\xDFtext 3", {320, 260, 120, 20}},       {"Fu\xDFtext 4", {470, 260, 120, 20}},
        {"Steuernummer", {20, 370, 120, 20}},        {"Steuersatz %", {160, 370, 80, 20}},
        {"Preise sind Brutto", {250, 390, 100, 20}},
    };
    std::map<std::string, QRect> labelsAsBytes;
    for (const auto& [text, rect] : labels)
        labelsAsBytes[QString::fromStdString(text).toLatin1().toStdString()] = rect;
    EXPECT_EQ(labelsAsBytes, expectedLabels);

    // Tab moves through the controls in the order they were made.
    std::vector<int> order;
    QWidget* w = controlWidget(kLogoLine1Field);
    do {
        if (numberOf.count(w) && (order.empty() || order.back() != numberOf[w]))
            order.push_back(numberOf[w]);
        w = w->nextInFocusChain();
    } while (w != controlWidget(kLogoLine1Field) && order.size() < places.size());
    std::vector<int> created;
    for (const Place& p : places)
        created.push_back(p.number);
    EXPECT_EQ(order, created);
}

TEST_F(OptionsWindowTest, WithoutOptionIniTheWindowShowsTheDefaults) {
    start();
    openOptions();
    EXPECT_EQ(sliderPositions(), std::vector<int>(5, 0));
    EXPECT_EQ(areaLines(6010), Lines(5, "Adresse"));
    EXPECT_EQ(areaLines(kFooterArea1 + 1), Lines(5, "Telefon Telefax"));
    EXPECT_EQ(areaLines(6012), Lines(5, "Bankverbindung"));
    EXPECT_EQ(areaLines(6013), Lines(5, "Name Steuernummer"));
    for (int field : {6000, 6009, 6003, 6015, 6016})
        EXPECT_EQ(getText(field), "");
    EXPECT_EQ(getState(kPricesGrossBox), 0);
    EXPECT_TRUE(readData("Option.ini").empty());
}

TEST_F(OptionsWindowTest, ControlsShowTheSettingsAndSavingUnchangedWritesThemBack) {
    start();
    Settings& s = settings();
    s.logoLine1 = "M\xFCller";
    s.logoLine2 = "& S\xF6hne";
    s.companyAddress = "Weg 1, K\xF6ln";
    s.taxNumber = "12/345";
    s.taxRate = "16%";
    // Sizes inside, below and above the four values of each slider.
    s.logoSize = 19;
    s.companyAddressSize = 9;
    s.customerAddressSize = 4;
    s.invoiceTextSize = 30;
    s.otherTextSize = 7;
    s.pricesGross = 2;
    s.footerLines1 = {"", "", "mitte", "", ""};
    s.footerLines2 = {"a", "b", "c", "d", "e"};
    s.footerLines3 = {"", "", "", "", ""};
    s.footerLines4 = {"Bank \x80", "", "", "", "ende"};
    const Settings before = s;
    openOptions();
    EXPECT_EQ(getText(kLogoLine1Field), "M\xFCller");
    EXPECT_EQ(getText(kLogoLine2Field), "& S\xF6hne");
    EXPECT_EQ(getText(kCompanyAddressField), "Weg 1, K\xF6ln");
    EXPECT_EQ(getText(kTaxNumberField), "12/345");
    EXPECT_EQ(getText(kTaxRateField), "16%");
    EXPECT_EQ(sliderPositions(), (std::vector<int>{1, 3, 0, 3, 0}));
    EXPECT_EQ(getState(kPricesGrossBox), 1);
    EXPECT_EQ(areaLines(6010), asLines(before.footerLines1));
    EXPECT_EQ(areaLines(6013), asLines(before.footerLines4));

    shellState().savedFlag = 0;
    pressSave();
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(shellState().savedFlag, 0);
    EXPECT_TRUE(messages.empty());
    const std::string bytes = readData("Option.ini");
    EXPECT_TRUE(bytes.starts_with(
        "M\xFCller\r\n& S\xF6hne\r\n19\r\nWeg 1, K\xF6ln\r\n9\r\n10\r\n11\r\n7\r\n\r\n\r\nmitte\r\n"));
    EXPECT_TRUE(bytes.ends_with("\r\nende\r\n12/345\r\n16%\r\n1"));
    resetSettings();
    loadSettings();
    EXPECT_EQ(sizesOf(settings()), (std::vector<int>{19, 9, 10, 11, 7}));
    EXPECT_EQ(settings().pricesGross, 1);
    for (auto block :
         {&Settings::footerLines1, &Settings::footerLines2, &Settings::footerLines3, &Settings::footerLines4})
        EXPECT_EQ(asLines(settings().*block), asLines(before.*block));
    EXPECT_EQ(settings().taxRate, "16%");
}

TEST_F(OptionsWindowTest, EditedValuesAreTakenOver) {
    start();
    openOptions();
    ASSERT_TRUE(typeInto(kLogoLine1Field, QString::fromUtf8("Bäckerei")));
    ASSERT_TRUE(typeInto(kTaxRateField, "7,5"));
    for (int slider : kSliders)
        static_cast<QSlider*>(controlWidget(slider))->setValue(3);
    static_cast<QCheckBox*>(controlWidget(kPricesGrossBox))->click();
    // Two lines in the first footer, seven in the second.
    static_cast<QPlainTextEdit*>(controlWidget(kFooterArea1))->setPlainText("eins\nzwei");
    static_cast<QPlainTextEdit*>(controlWidget(kFooterArea1 + 1))->setPlainText("1\n2\n3\n4\n5\n6\n7");
    pressSave();
    const Settings& s = settings();
    EXPECT_EQ(s.logoLine1, "B\xE4"
                           "ckerei");
    EXPECT_EQ(s.taxRate, "7,5");
    EXPECT_EQ(sizesOf(s), (std::vector<int>{21, 9, 13, 11, 10}));
    EXPECT_EQ(s.pricesGross, 1);
    EXPECT_EQ(asLines(s.footerLines1), (Lines{"eins", "zwei", "", "", ""}));
    EXPECT_EQ(asLines(s.footerLines2), (Lines{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(s.fontName, "Arial");
    const std::string bytes = readData("Option.ini");
    EXPECT_TRUE(bytes.starts_with("B\xE4"
                                  "ckerei\r\n\r\n21\r\n\r\n9\r\n13\r\n11\r\n10\r\neins\r\nzwei\r\n\r\n\r\n\r"
                                  "\n1\r\n2\r\n3\r\n4\r\n5\r\n"));
    EXPECT_TRUE(bytes.ends_with("\r\n7,5\r\n1"));
}

TEST_F(OptionsWindowTest, OpeningAgainDiscardsEditsAndReplacesOtherDialogs) {
    start();
    ASSERT_TRUE(clickButton(kNewCustomerButton));
    dispatch();
    ASSERT_NE(controlWidget(kNewCustomerFirstField), nullptr);
    openOptions();
    EXPECT_EQ(controlWidget(kNewCustomerFirstField), nullptr);
    ASSERT_TRUE(typeInto(kTaxNumberField, "verworfen"));
    openOptions();
    EXPECT_EQ(getText(kTaxNumberField), "");
    EXPECT_EQ(settings().taxNumber, "");
}

TEST_F(OptionsWindowTest, ASaveThatFailsIsReportedAndKeepsTheValuesInMemory) {
    writeData("Option.ini", "alt");
    start();
    openOptions();
    ASSERT_TRUE(typeInto(kTaxNumberField, "99/999"));
    diskFaults().mode = FaultMode::FromThenOn;
    diskFaults().failAt = 1;
    diskFaults().error = EACCES;
    pressSave();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Fehler!");
    EXPECT_EQ(messages[0].text, "Die Optionen konnten nicht gespeichert werden!");
    EXPECT_EQ(messages[0].flags, kMessageOk);
    EXPECT_FALSE(windowExists(kDialogWindow));
    EXPECT_EQ(settings().taxNumber, "99/999");
    resetDiskFaults();
    EXPECT_EQ(readData("Option.ini"), "alt");
}

// Net and gross only make sense for a rate from 0 to 100: the window refuses any other and keeps
// what was typed, and an Option.ini that holds one stops "Rechnung erstellen" before a number is used.
TEST_F(OptionsWindowTest, TheTaxRateIsEmptyOrANumberFrom0To100) {
    const char* const refusal = "Der Steuersatz muss eine Zahl zwischen 0 und 100 sein.";
    struct Case {
        const char* rate;
        bool accepted;
    };
    const Case cases[] = {
        {"", true},       {"0", true},      {"16%", true},   {"19,5", true},    {"100", true},
        {" 7 % ", true},  {"-1", false},    {"-100", false}, {"100,01", false}, {"1e3", false},
        {"abc", false},   {"19abc", false}, {"%", false},    {"19,999", false}, {"7,125 %", false},
        {"19,990", true}, {"7,25", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        std::filesystem::remove(dataPath("Option.ini"));
        std::filesystem::remove(dataPath("ReData.dat"));
        start();
        messages.clear();
        openOptions();
        ASSERT_TRUE(typeInto(kTaxRateField, c.rate));
        pressSave();
        EXPECT_EQ(windowExists(kDialogWindow), !c.accepted);
        EXPECT_EQ(settings().taxRate, c.accepted ? c.rate : "");
        EXPECT_EQ(readData("Option.ini").empty(), !c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        EXPECT_EQ(errorTexts(), std::vector<std::string>{refusal});
        EXPECT_EQ(getText(kTaxRateField), c.rate);

        // The rate is line 30 of Option.ini's 31.
        std::string ini;
        for (int line = 1; line < 30; ++line)
            ini += "\r\n";
        writeData("Option.ini", ini + c.rate + "\r\n0");
        start();
        printTarget().kind = PrintTargetKind::Recorder;
        printTarget().recorderArea = {2000, 2800, 200, 280};
        messages.clear();
        ASSERT_TRUE(clickButton(kNewInvoiceButton));
        dispatch();
        ASSERT_TRUE(clickButton(kCreateInvoiceButton));
        dispatch();
        EXPECT_EQ(errorTexts(), std::vector<std::string>{refusal});
        EXPECT_EQ(invoiceState().invoiceCounter, 0);
        EXPECT_EQ(rowCount(kInvoiceList), 0);
        EXPECT_TRUE(readData("ReData.dat").empty());
    }
}

} // namespace
