#include "shell/invoicedeletion.h"

#include "archive/archivefiles.h"
#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "datafiles/registerfile.h"
#include "payments/receivablechanges.h"
#include "runtime/linefile.h"
#include "shell/mainwindow.h"
#include "shell/openitemspage.h"
#include "shell/paymentwindow.h"
#include "state/companydata.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

bool isArchived(const std::string& number) {
    if (!isItemFileNumber(number))
        return false;
    for (const char* ending : {".xml", ".pdf"}) {
        if (fileSize(archivePath(number + ending)) != -1)
            return true;
    }
    return false;
}

} // namespace

void deleteSelectedInvoice() {
    // The selected invoice; nothing selected, nothing to do.
    const int r = getState(kInvoiceList);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    // The invoice number as the list shows it.
    const std::string number = getCell(kInvoiceList, r, 0);
    // An archived invoice was issued: only a cancellation corrects it.
    if (companyData().present && isArchived(number)) {
        messageBox("Hinweis!", "Eine ausgestellte Rechnung kann nicht gel\xF6scht werden. Bitte stornieren.",
                   kMessageOk);
        return;
    }
    const std::string question =
        hasPayments(number) ? "Zur Rechnung Nr. " + number +
                                  " sind Zahlungen erfasst. Soll die Rechnung mit ihren Zahlungen wirklich "
                                  "gel\xF6scht werden?"
                            : "Soll die Rechnung Nr. " + number + " wirklich gel\xF6scht werden?";
    if (messageBox("Hinweis!", question, kMessageYesNo) != kAnswerYes)
        return;
    // Its item file goes first; the rest follows only when that worked. A number that is no plain
    // integer names no item file: it could lead out of the folder.
    if (!isItemFileNumber(number) || deleteFile(itemFileName(number)) == 0) {
        // Missing or refused: the invoice stays in the list and in the register.
        messageBox("Fehler!", "Die Rechnung Nr.:" + number + " konnte nicht gel\xF6scht werden!", kMessageOk);
        return;
    }
    // Its line record, where it has one, goes with the item file.
    deleteFile(invoiceLinesName(number));
    // The row, the message, the register line.
    removeRow(kInvoiceList, r);
    if (windowExists(kPaymentWindow))
        closePaymentWindow();
    messageBox("Rechnung gel\xF6scht", "Die Rechnung Nr.:" + number + " wurde gel\xF6scht!", kMessageOk);
    // The register would list the invoice again at the next start, without its item file.
    if (!rewriteRegister(r, number)) {
        messageBox("Fehler!", "Das Rechnungsregister konnte nicht ge\xE4ndert werden!", kMessageOk);
        return;
    }
    // Its payments, terms and letters go with it; an invoice the register keeps keeps them too.
    if (!forgetInvoice(number))
        messageBox("Fehler!",
                   "Die Zahlungen der Rechnung Nr.:" + number + " konnten nicht gel\xF6scht werden!",
                   kMessageOk);
    showOverdueNotice();
}
