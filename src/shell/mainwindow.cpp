#include "shell/mainwindow.h"

#include "runtime/toolkit.h"

namespace {

void buildMenu() {
    if (!createMenu(0, kMainWindow))
        return;
    menuTitle("File");
    menuItem(10002, "Save");
    menuSeparator();
    menuItem(10007, "E&xit");
    menuTitle("Option");
    menuItem(10009, "Algemeine Einstellungen");
    menuTitle("Help");
    menuItem(10011, "About");
}

void buildCustomerPage() {
    addRow(0, -1, "Kundendaten");
    createPushButton(100, 10, 15, 80, 24, "Neu");
    setTooltip(100, "Neuen Kunden anlegen");
    createPushButton(101, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(101, "Markierten Kunden l\xF6schen");
    createPushButton(102, 180, 15, 80, 24, "\xC4ndern");
    setTooltip(102, "Makierten Kunden \xE4ndern");
    createReportList(kCustomerList, 10, 40, 752, 502, "Anrede", 60, kReportListFlags);
    addColumn(kCustomerList, 2, "Name", 80);
    addColumn(kCustomerList, 3, "Vorname", 80);
    addColumn(kCustomerList, 4, "Zusatz", 80);
    addColumn(kCustomerList, 5, "Strasse", 120);
    addColumn(kCustomerList, 6, "Wohnort", 120);
}

void buildArticlePage() {
    addRow(0, -1, "Artikeldaten");
    createPushButton(110, 10, 15, 80, 24, "Neu");
    setTooltip(110, "Neuen Artikel anlegen");
    createPushButton(111, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(111, "Markierten Artikel l\xF6schen");
    createPushButton(112, 180, 15, 80, 24, "\xC4ndern");
    setTooltip(112, "Markierten Artikel \xE4ndern");
    createReportList(kArticleList, 10, 40, 752, 502, "Bezeichnung", 80, kReportListFlags);
    addColumn(kArticleList, 2, "Kategorie", 80);
    addColumn(kArticleList, 3, "Preis", 60);
    addColumn(kArticleList, 4, "Beschreibung", 200);
}

void buildInvoicePage() {
    addRow(0, -1, "Rechnungen");
    createPushButton(210, 10, 15, 80, 24, "Neu");
    setTooltip(210, "Neue Rechnung erstellen");
    createPushButton(211, 95, 15, 80, 24, "L\xF6schen");
    setTooltip(211, "Markierte Rechnung l\xF6schen");
    createReportList(kInvoiceList, 10, 40, 752, 502, "Re. Nr.:", 60, kReportListFlags);
    addColumn(kInvoiceList, 2, "Name", 100);
    addColumn(kInvoiceList, 3, "Kd.-Nr.:", 80);
    addColumn(kInvoiceList, 4, "Gesamtbetrag", 80);
    addColumn(kInvoiceList, 5, "Datum", 80);
}

} // namespace

bool buildMainWindow() {
    if (!openWindow(kMainWindow, 0, 0, 800, 600, "Quillora 2006                                   by MV",
                    0xC80001))
        return false;
    buildMenu();
    useControlList(kMainWindow);
    createTabPanel(0, 8, 8, 782, 582);
    buildCustomerPage();
    buildArticlePage();
    buildInvoicePage();
    closeControlList();
    return true;
}
