#include "shell/listcommands.h"

#include "archive/archivefiles.h"
#include "datafiles/listexport.h"
#include "datafiles/offerfile.h"
#include "datafiles/registerfile.h"
#include "payments/openitemcolumns.h"
#include "printing/listprintout.h"
#include "runtime/listmodel.h"
#include "runtime/lists.h"
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
    ShownList{kOfferList, "Angebotsliste", "Angebotsliste.csv", kOfferAmountColumn},
    // The received invoices' fourth column, "Zahlbetrag", holds what each asks to be paid.
    ShownList{kReceivedList, "Eingangsrechnungen", "Eingangsrechnungen.csv", 3},
};

// The invoice list adds up its gross and open amounts too.
std::vector<int> moreSumColumns(const ShownList& shown) {
    if (shown.list != kInvoiceList)
        return {};
    return {kRegisterGrossColumn, openAmountColumn()};
}

// The article list's rate, category and unit, hidden on screen, join its printout and export as
// further columns while one is made, when any article has one of them; a list without any prints and
// exports as before.
class ArticleTaxColumns {
  public:
    explicit ArticleTaxColumns(int list) {
        ListModel* model = list == kArticleList ? findList(list) : nullptr;
        if (!model || !anyArticleTax(*model))
            return;
        model_ = model;
        for (int i = 0; i < 3; ++i) {
            model_->setCellText(-1, kArticleTaxColumn + i, kTitles[i]);
            model_->setColumnWidth(kArticleTaxColumn + i, 60);
        }
    }
    ~ArticleTaxColumns() {
        if (!model_)
            return;
        for (int i = 0; i < 3; ++i) {
            model_->setColumnWidth(kArticleTaxColumn + i, 0);
            model_->setCellText(-1, kArticleTaxColumn + i, "");
        }
    }
    ArticleTaxColumns(const ArticleTaxColumns&) = delete;
    ArticleTaxColumns& operator=(const ArticleTaxColumns&) = delete;

  private:
    static constexpr std::array<const char*, 3> kTitles = {"USt-Satz", "Steuerkategorie", "Einheit"};
    static bool anyArticleTax(const ListModel& model) {
        for (int r = 0; r < model.rows(); ++r) {
            for (int c = kArticleTaxColumn; c < kArticleTaxColumn + 3; ++c) {
                if (!model.cell(r, c).empty())
                    return true;
            }
        }
        return false;
    }
    ListModel* model_ = nullptr;
};

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
    const ArticleTaxColumns taxColumns(shown.list);
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
    const ArticleTaxColumns taxColumns(shown.list);
    withTakenRowInPlace([&] { exported = exportListCsv(shown.list, path, sums); });
    if (!exported)
        messageBox("Fehler!", "Die Liste konnte nicht gespeichert werden!", kMessageOk);
}
