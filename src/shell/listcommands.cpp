#include "shell/listcommands.h"

#include "archive/archivefiles.h"
#include "datafiles/listexport.h"
#include "datafiles/registerfile.h"
#include "payments/openitemcolumns.h"
#include "printing/listprintout.h"
#include "runtime/numbers.h"
#include "shell/takenrow.h"
#include "toolkit/toolkit.h"

#include <array>
#include <vector>

namespace {

// By page of the tab panel, in its order.
constexpr std::array kShownLists = {
    ShownList{kCustomerList, "Kundenliste", "Kundenliste.csv", -1},
    ShownList{kArticleList, "Artikelliste", "Artikelliste.csv", -1},
    // The invoice list's fourth column, "Gesamtbetrag", holds each invoice's amount.
    ShownList{kInvoiceList, "Rechnungsliste", "Rechnungsliste.csv", kRegisterAmountColumn},
    // The received invoices' fourth column, "Zahlbetrag", holds what each asks to be paid.
    ShownList{kReceivedList, "Eingangsrechnungen", "Eingangsrechnungen.csv", 3},
};

// The invoice list adds up its gross and open amounts too.
std::vector<int> moreSumColumns(const ShownList& shown) {
    if (shown.list != kInvoiceList)
        return {};
    return {kRegisterGrossColumn, openAmountColumn()};
}

} // namespace

ShownList shownList() {
    const int page = getState(kTabPanel);
    return (page >= 0 && page < static_cast<int>(kShownLists.size()))
               ? kShownLists[static_cast<std::size_t>(page)]
               : kShownLists[0];
}

void printListClicked() {
    const ShownList shown = shownList();
    ListPrintResult printed = ListPrintResult::Printed;
    withTakenRowInPlace([&] {
        printed = printList({shown.list, shown.title, shown.sumColumn, moreSumColumns(shown)});
    });
    if (printed == ListPrintResult::Refused)
        messageBox("Fehler!", "Die Liste konnte nicht gedruckt werden!", kMessageOk);
}

void exportListClicked() {
    const ShownList shown = shownList();
    const std::string path =
        askSaveFileName(kMainWindow, "Liste exportieren", shown.fileName, "CSV-Dateien (*.csv)");
    if (path.empty())
        return;
    if (insideArchiveFolder(path)) {
        messageBox("Fehler!", "In den Archivordner kann nicht exportiert werden.", kMessageOk);
        return;
    }
    bool exported = false;
    std::vector<int> sums = moreSumColumns(shown);
    if (shown.sumColumn >= 0)
        sums.insert(sums.begin(), shown.sumColumn);
    withTakenRowInPlace([&] { exported = exportListCsv(shown.list, path, sums); });
    if (!exported)
        messageBox("Fehler!", "Die Liste konnte nicht gespeichert werden!", kMessageOk);
}
