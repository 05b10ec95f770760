#include "printing/dunningprintout.h"

#include "printing/invoicepdf.h"
#include "printing/pageframe.h"
#include "printing/textfit.h"
#include "state/invoicestate.h"
#include "state/settings.h"

#include <QCryptographicHash>
#include <QPainter>
#include <utility>
#include <vector>

namespace {

constexpr float kLeftX = 25;
constexpr float kRightX = 185;
constexpr float kTitleY = 80;
constexpr float kFirstLineY = 95;
// The amounts end here, the labels stand left of them.
constexpr float kValueEnd = 120;

std::string dateText(DateValue date) {
    return formatDate("%dd.%mm.%yyyy", date);
}

std::string euro(money::Amount amount) {
    return money::formatAmount(amount) + " \x80";
}

// The letterhead addresses the invoice's customer: the invoice state holds them while the letter is drawn.
class LetterCustomer {
  public:
    explicit LetterCustomer(const DunningLetter& letter) : saved_(invoiceState()) {
        InvoiceState& state = invoiceState();
        state.customerSalutation = letter.address[0];
        state.customerFullName = letter.address[1];
        state.customerAddition = letter.address[2];
        state.customerStreet = letter.address[3];
        state.customerTown = letter.address[4];
        state.customerNumberText = letter.customerNumber;
        state.deliveryDateText.clear();
    }
    ~LetterCustomer() { invoiceState() = std::move(saved_); }
    LetterCustomer(const LetterCustomer&) = delete;
    LetterCustomer& operator=(const LetterCustomer&) = delete;

  private:
    InvoiceState saved_;
};

std::string opening(const DunningLetter& letter) {
    const std::string since = letter.previousDate ? " vom " + dateText(*letter.previousDate) : "";
    switch (letter.level) {
    case 1:
        return "Bei Durchsicht unserer Buchhaltung haben wir festgestellt, dass die folgende Rechnung noch "
               "nicht vollst\xE4ndig bezahlt ist.";
    case 2:
        return "Leider ist auf unsere Zahlungserinnerung" + since +
               " bisher keine vollst\xE4ndige Zahlung eingegangen.";
    default:
        return "Trotz unserer 1. Mahnung" + since +
               " ist die folgende Rechnung noch immer nicht vollst\xE4ndig bezahlt.";
    }
}

std::vector<std::pair<std::string, std::string>> amountRows(const DunningLetter& letter) {
    std::vector<std::pair<std::string, std::string>> rows = {
        {"Rechnung Nr.:", letter.invoice},           {"Rechnungsdatum:", dateText(letter.invoiceDate)},
        {"F\xE4llig am:", dateText(letter.dueDate)}, {"Rechnungsbetrag:", euro(letter.due)},
        {"Bisher gezahlt:", euro(letter.paid)},      {"Offener Betrag:", euro(letter.open)},
    };
    if (letter.fee)
        rows.emplace_back("Mahngeb\xFChr:", euro(*letter.fee));
    if (letter.interest && letter.interestRate)
        rows.emplace_back("Verzugszinsen (" + money::formatDecimal(letter.interestRate->units, 2, 0, ',') +
                              " % p. a., " + formatInt(letter.daysOverdue) + " Tage):",
                          euro(*letter.interest));
    return rows;
}

// Draws text wrapped onto the width of the page's text from y on; the y below it.
float placeParagraph(float y, std::string_view text, float step) {
    const TextMeasure measure = [](std::string_view t) { return static_cast<double>(textWidth(t)); };
    for (const std::string& line : wrapToWidth(text, kRightX - kLeftX, 4, measure)) {
        placeText(kLeftX, y, line);
        y += step;
    }
    return y;
}

// Puts text over the bytes after marker when as many of them as text has are there and each passes
// fits; false otherwise. The same length keeps the PDF's offsets right.
template <typename Fits>
bool overwriteAfter(std::string& pdf, std::string_view marker, std::string_view text, Fits fits) {
    const std::size_t at = pdf.find(marker);
    if (at == std::string::npos || pdf.size() - at - marker.size() < text.size())
        return false;
    const std::size_t from = at + marker.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!fits(pdf[from + i]))
            return false;
    }
    pdf.replace(from, text.size(), text);
    return true;
}

// Qt dates a PDF with the second it is written and gives it an ID of chance; the letter's PDF takes
// the letter's day and an ID of its content, so that the same letter gives the same bytes.
void pinToDay(std::string& pdf, DateValue day) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const auto dateChar = [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == ':' || c == 'T'; };
    const auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
    overwriteAfter(pdf, "/CreationDate (D:", formatDate("%yyyy%mm%dd000000", day), digit);
    const std::string xmpDate = formatDate("%yyyy-%mm-%ddT00:00:00", day);
    overwriteAfter(pdf, "xmp:CreateDate=\"", xmpDate, dateChar);
    overwriteAfter(pdf, "xmp:ModifyDate=\"", xmpDate, dateChar);
    const std::string zeros(32, '0');
    if (!overwriteAfter(pdf, "/ID [ <", zeros, hex) ||
        !overwriteAfter(pdf, "/ID [ <" + zeros + "> <", zeros, hex))
        return;
    const std::string id = QCryptographicHash::hash(QByteArray::fromStdString(pdf), QCryptographicHash::Md5)
                               .toHex()
                               .toStdString();
    overwriteAfter(pdf, "/ID [ <", id, hex);
    overwriteAfter(pdf, "/ID [ <" + id + "> <", id, hex);
}

void placeRow(float y, const std::string& label, const std::string& value) {
    placeText(kLeftX, y, label);
    placeText(kValueEnd - textWidth(value), y, value);
}

} // namespace

bool drawDunningLetter(const DunningLetter& letter) {
    const LetterCustomer customer(letter);
    const int size = settings().invoiceTextSize;
    const auto step = static_cast<float>(lineStep(size, 2));
    setTransparentText();
    drawLetterhead();
    selectTextSize(size, true);
    placeText(kLeftX, kTitleY, dunningTitle(letter.level));
    const auto ruleY = static_cast<float>(kTitleY + lineStep(size, 3));
    placeLine(kLeftX, ruleY, kRightX, ruleY, 1);

    selectTextSize(size, false);
    float y = placeParagraph(kFirstLineY, opening(letter), step) + step;
    for (const auto& [label, value] : amountRows(letter)) {
        placeRow(y, label, value);
        y += step;
    }
    if (letter.fee || letter.interest) {
        selectTextSize(size, true);
        placeRow(y, "Zu zahlen:", euro(letter.total));
        selectTextSize(size, false);
        y += step;
    }
    placeParagraph(y + step,
                   "Bitte \xFC"
                   "berweisen Sie den Betrag von " +
                       euro(letter.total) + " bis zum " + dateText(letter.deadline) +
                       ". Sollten Sie inzwischen bezahlt haben, betrachten Sie dieses Schreiben bitte als "
                       "gegenstandslos.",
                   step);
    drawFooter();
    return true;
}

PrintResult printDunningLetter(const DunningLetter& letter) {
    if (const PrintResult begun = beginPrintout(dunningTitle(letter.level)); !begun)
        return begun;
    const bool drawn = printJob().painter->isActive() && drawDunningLetter(letter);
    if (!endPrintout() || !drawn)
        return {PrintOutcome::Refused};
    return {};
}

std::optional<std::string> dunningLetterPdf(const DunningLetter& letter, DateValue day) {
    std::optional<std::string> pdf = documentPdf([&letter] { return drawDunningLetter(letter); });
    if (pdf)
        pinToDay(*pdf, day);
    return pdf;
}
