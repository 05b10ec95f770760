#include "state/settings.h"

namespace {
Settings theSettings;
}

Settings& settings() {
    return theSettings;
}

void resetSettings() {
    theSettings = Settings{};
}

Settings defaultSettings() {
    Settings s;
    s.logoSize = 18;
    s.companyAddressSize = 6;
    s.customerAddressSize = 10;
    s.invoiceTextSize = 8;
    s.otherTextSize = 7;
    s.footerLines1.fill("Adresse");
    s.footerLines2.fill("Telefon Telefax");
    s.footerLines3.fill("Bankverbindung");
    s.footerLines4.fill("Name Steuernummer");
    s.fontName = "Arial";
    return s;
}
