#include "shell/dunningcommand.h"

#include "archive/archivewriter.h"
#include "datafiles/itemfile.h"
#include "payments/dunning.h"
#include "payments/openitemcolumns.h"
#include "payments/receivablechanges.h"
#include "printing/dunningprintout.h"
#include "shell/openitemspage.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

// The register's column of the customer number.
constexpr int kCustomerNumberColumn = 2;

std::string whyNoLetter(NoLetter reason, const std::string& invoice) {
    switch (reason) {
    case NoLetter::Paid:
        return "Die Rechnung Nr. " + invoice + " ist bezahlt.";
    case NoLetter::NoDueDate:
        return "F\xFCr die Rechnung Nr. " + invoice + " ist kein F\xE4lligkeitsdatum bekannt.";
    case NoLetter::LastLevelSent:
        return "F\xFCr die Rechnung Nr. " + invoice + " wurde bereits die 2. Mahnung gedruckt.";
    case NoLetter::TooLarge:
        return "Der Betrag ist zu gro\xDF.";
    case NoLetter::NotOverdue:
        break;
    }
    return "Die Rechnung Nr. " + invoice + " ist noch nicht f\xE4llig.";
}

} // namespace

void dunningClicked() {
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1) {
        messageBox("Hinweis!", "Bitte zuerst eine Rechnung markieren.", kMessageOk);
        return;
    }
    const std::string invoice = getCell(kInvoiceList, r, 0);
    const DateValue today = currentDate();
    NextLetter next = nextDunningLetter(invoice, openItemOfRow(r), termsOfInvoice(invoice), today);
    if (!next.letter) {
        messageBox("Hinweis!", whyNoLetter(next.reason, invoice), kMessageOk);
        return;
    }
    DunningLetter& letter = *next.letter;
    letter.address = itemFileAddress(invoice);
    letter.customerNumber = getCell(kInvoiceList, r, kCustomerNumberColumn);
    const PrintResult printed = printDunningLetter(letter);
    if (printed.outcome == PrintOutcome::Cancelled)
        return;
    if (!printed) {
        messageBox("Fehler!", "Die Mahnung konnte nicht gedruckt werden!", kMessageOk);
        return;
    }
    // The letter is out: its level is remembered first, so that the next one is the next level even
    // when the archive fails; an unremembered letter is not archived, so that printing it again can be.
    if (!rememberDunning(invoice, letter.level, today)) {
        messageBox("Fehler!", "Die Mahnung zur Rechnung Nr.:" + invoice + " konnte nicht gespeichert werden!",
                   kMessageOk);
        return;
    }
    const std::optional<std::string> pdf = dunningLetterPdf(letter, today);
    if (!pdf || archiveDunningLetter(invoice, letter.level, *pdf) != ArchiveOutcome::Archived)
        messageBox("Fehler!", "Die Mahnung zur Rechnung Nr.:" + invoice + " konnte nicht archiviert werden!",
                   kMessageOk);
}
