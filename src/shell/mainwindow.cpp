#include "shell/mainwindow.h"

#include "invoicing/correctionstatus.h"
#include "payments/openitemcolumns.h"

#include "shell/openitemspage.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

constexpr int kMenuTitle = -1;
constexpr int kMenuSeparator = -2;

struct MenuEntry {
    /// A menu item's number, or kMenuTitle or kMenuSeparator.
    int item;
    const char* text = "";
    const char* shortcut = "";
};

// The menus top to bottom. "File" keeps Save first and Exit last, the list commands between them.
constexpr std::array kMenuEntries = {
    MenuEntry{kMenuTitle, "&File"},
    MenuEntry{kSaveItem, "Save", "Ctrl+S"},
    MenuEntry{kOpenEInvoiceItem,
              "E-Rechnung \xF6"
              "ffnen...",
              "Ctrl+O"},
    MenuEntry{kMenuSeparator},
    MenuEntry{kFindItem, "Suchen...", "Ctrl+F"},
    MenuEntry{kPrintListItem, "Liste drucken..."},
    MenuEntry{kExportListItem, "Liste exportieren (CSV)..."},
    MenuEntry{kDueSeriesItem, "F\xE4llige Serienrechnungen..."},
    MenuEntry{kMenuSeparator},
    MenuEntry{kBackupItem, "Datensicherung..."},
    MenuEntry{kRestoreItem, "Datensicherung zur\xFC"
                            "ckspielen..."},
    MenuEntry{kMenuSeparator},
    MenuEntry{kExitItem, "E&xit"},
    MenuEntry{kMenuTitle, "&Option"},
    MenuEntry{kOptionsItem, "Algemeine Einstellungen"},
    MenuEntry{kCompanyDataItem, "Firmendaten (E-Rechnung)"},
    MenuEntry{kCheckArchiveItem, "Archiv pr\xFC"
                                 "fen"},
    MenuEntry{kMenuTitle, "&Buchhaltung"},
    MenuEntry{kDatevExportItem, "DATEV-Export..."},
    MenuEntry{kVatOverviewItem, "Umsatzsteuer-\xDC"
                                "bersicht..."},
    MenuEntry{kAuditExportItem, "Datenexport f\xFCr die Betriebspr\xFC"
                                "fung..."},
    MenuEntry{kMenuTitle, "&Help"},
    MenuEntry{kAboutItem, "About"},
};

void buildMenu() {
    if (!createMenu(kMainMenu, kMainWindow))
        return;
    // The captions read "File", "Option", "Buchhaltung" and "Help"; Alt and their first letter open them.
    for (const MenuEntry& entry : kMenuEntries) {
        if (entry.item == kMenuTitle)
            menuTitle(entry.text);
        else if (entry.item == kMenuSeparator)
            menuSeparator();
        else
            menuItem(entry.item, entry.text, entry.shortcut);
    }
}

void buildCustomerPage() {
    addRow(kTabPanel, -1, "Kundendaten");
    createPushButton(kNewCustomerButton, 10, 15, 80, 24, "Neu");
    setTooltip(kNewCustomerButton, "Neuen Kunden anlegen");
    createPushButton(kDeleteCustomerButton, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(kDeleteCustomerButton, "Markierten Kunden l\xF6schen");
    createPushButton(kChangeCustomerButton, 180, 15, 80, 24, "\xC4ndern");
    setTooltip(kChangeCustomerButton, "Makierten Kunden \xE4ndern");
    createPushButton(kCustomerEInvoiceButton, 265, 15, 80, 24, "E-Rechnung");
    setTooltip(kCustomerEInvoiceButton, "E-Rechnungsdaten des markierten Kunden");
    createReportList(kCustomerList, 10, 40, 752, 502, "Anrede", 60, kReportListFlags);
    addColumn(kCustomerList, 2, "Name", 80);
    addColumn(kCustomerList, 3, "Vorname", 80);
    addColumn(kCustomerList, 4, "Zusatz", 80);
    addColumn(kCustomerList, 5, "Strasse", 120);
    addColumn(kCustomerList, 6, "Wohnort", 120);
    // The e-invoice values, the customer's number and the Steuerfall.
    for (int c = kCustomerEInvoiceColumn; c <= kCustomerTaxCaseColumn; ++c)
        addHiddenColumn(kCustomerList);
}

void buildArticlePage() {
    addRow(kTabPanel, -1, "Artikeldaten");
    createPushButton(kNewArticleButton, 10, 15, 80, 24, "Neu");
    setTooltip(kNewArticleButton, "Neuen Artikel anlegen");
    createPushButton(kDeleteArticleButton, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(kDeleteArticleButton, "Markierten Artikel l\xF6schen");
    createPushButton(kChangeArticleButton, 180, 15, 80, 24, "\xC4ndern");
    setTooltip(kChangeArticleButton, "Markierten Artikel \xE4ndern");
    createReportList(kArticleList, 10, 40, 752, 502, "Bezeichnung", 80, kReportListFlags);
    addColumn(kArticleList, 2, "Kategorie", 80);
    addColumn(kArticleList, 3, "Preis", 60);
    addColumn(kArticleList, 4, "Beschreibung", 200);
    // USt-Satz, Steuerkategorie and Einheit, kept with the row behind the columns on view.
    for (int c = 0; c < 3; ++c)
        addHiddenColumn(kArticleList);
}

// The invoice list's columns after "Re. Nr.:", one a field of the register's lines, "Brutto" the
// sixth; the receivables' columns follow at the right. The widths are shares of the list's printout
// too: each title there must fit its column.
constexpr std::array kRegisterColumns = {
    OpenItemColumn{"Name", 80},  OpenItemColumn{"Kd.-Nr.:", 60}, OpenItemColumn{"Gesamtbetrag", 90},
    OpenItemColumn{"Datum", 80}, OpenItemColumn{"Brutto", 65},
};

void buildInvoicePage() {
    addRow(kTabPanel, -1, "Rechnungen");
    createPushButton(kNewInvoiceButton, 10, 15, 80, 24, "Neu");
    setTooltip(kNewInvoiceButton, "Neue Rechnung erstellen");
    createPushButton(kDeleteInvoiceButton, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(kDeleteInvoiceButton, "Markierte Rechnung l\xF6schen");
    createPushButton(kCancelCorrectionButton, 180, 15, 80, 24, "Stornieren");
    setTooltip(kCancelCorrectionButton, "Die markierte Rechnung stornieren");
    createPushButton(kCreditNoteButton, 265, 15, 80, 24, "Gutschrift");
    setTooltip(kCreditNoteButton, "Eine Gutschrift zur markierten Rechnung erstellen");
    createPushButton(kPaymentButton, 350, 15, 80, 24, "Zahlung");
    setTooltip(kPaymentButton, "Einen Zahlungseingang zur markierten Rechnung erfassen");
    createPushButton(kDunningButton, 435, 15, 80, 24, "Mahnung");
    setTooltip(kDunningButton, "Eine Zahlungserinnerung oder Mahnung zur markierten Rechnung drucken");
    createPushButton(kSeriesButton, 520, 15, 80, 24, "Serie");
    setTooltip(kSeriesButton, "Die markierte Rechnung regelm\xE4\xDFig wiederholen");
    createReportList(kInvoiceList, 10, 40, 752, 502, "Re. Nr.:", 60, kReportListFlags);
    // Each position is one past the column's final index.
    for (std::size_t i = 0; i < kRegisterColumns.size(); ++i)
        addColumn(kInvoiceList, static_cast<int>(i) + 2, kRegisterColumns[i].title,
                  kRegisterColumns[i].width);
    // "Status", shown once the folder has a correction.
    insertHiddenColumn(kInvoiceList, kRegisterStatusColumn + 1);
    // After every other column.
    addOpenItemColumns();
}

// Right of the invoices: the offers, each a register line with its "Gültig bis" and status.
void buildOfferPage() {
    addRow(kTabPanel, -1, "Angebote");
    createPushButton(kNewOfferButton, 10, 15, 80, 24, "Neu");
    setTooltip(kNewOfferButton, "Neues Angebot erstellen");
    createPushButton(kDeleteOfferButton, 95, 15, 80, 24, "Löschen");
    setTooltip(kDeleteOfferButton, "Markiertes Angebot löschen");
    createPushButton(kOfferToInvoiceButton, 180, 15, 80, 24, "Als Rechnung");
    setTooltip(kOfferToInvoiceButton, "Aus dem markierten Angebot eine Rechnung erstellen");
    createPushButton(kOfferAcceptedButton, 265, 15, 80, 24, "Angenommen");
    setTooltip(kOfferAcceptedButton, "Das markierte Angebot als angenommen kennzeichnen");
    createPushButton(kOfferRejectedButton, 350, 15, 80, 24, "Abgelehnt");
    setTooltip(kOfferRejectedButton, "Das markierte Angebot als abgelehnt kennzeichnen");
    createReportList(kOfferList, 10, 40, 752, 502, "Ang. Nr.", 60, kReportListFlags);
    addColumn(kOfferList, 2, "Name", 80);
    addColumn(kOfferList, 3, "Kd.-Nr.", 60);
    addColumn(kOfferList, 4, "Gesamtbetrag", 90);
    addColumn(kOfferList, 5, "Datum", 80);
    addColumn(kOfferList, 6, "Gültig bis", 80);
    addColumn(kOfferList, 7, "Status", 200);
}

void buildReceivedPage() {
    addRow(kTabPanel, -1, "Eingangsrechnungen");
    createReportList(kReceivedList, 10, 40, 752, 502, "Datum", 80, kReportListFlags);
    addColumn(kReceivedList, 2, "Lieferant", 250);
    addColumn(kReceivedList, 3, "Rechnungsnr.", 140);
    addColumn(kReceivedList, 4, "Zahlbetrag", 100);
    addColumn(kReceivedList, 5, "F\xE4llig am", 80);
    addHiddenColumn(kReceivedList);
}

} // namespace

bool buildMainWindow() {
    if (!openWindow(kMainWindow, 0, 0, 800, 600, "Quillora 2006                                   by MV",
                    kMainWindowFlags))
        return false;
    buildMenu();
    addShortcut(kMainWindow, kFindAgainKey, "F3");
    useControlList(kMainWindow);
    createTabPanel(kTabPanel, 8, 8, 782, 582);
    buildCustomerPage();
    buildArticlePage();
    buildInvoicePage();
    buildOfferPage();
    buildReceivedPage();
    closeControlList();
    return true;
}
