#include "accounting/datevcolumns.h"

namespace accounting {

std::vector<std::string> datevColumnTitles() {
    std::vector<std::string> t = {"Umsatz (ohne Soll/Haben-Kz)",
                                  "Soll/Haben-Kennzeichen",
                                  "WKZ Umsatz",
                                  "Kurs",
                                  "Basis-Umsatz",
                                  "WKZ Basis-Umsatz",
                                  "Konto",
                                  "Gegenkonto (ohne BU-Schl\xFCssel)",
                                  "BU-Schl\xFCssel",
                                  "Belegdatum",
                                  "Belegfeld 1",
                                  "Belegfeld 2",
                                  "Skonto",
                                  "Buchungstext",
                                  "Postensperre",
                                  "Diverse Adressnummer",
                                  "Gesch\xE4"
                                  "ftspartnerbank",
                                  "Sachverhalt",
                                  "Zinssperre",
                                  "Beleglink"};
    for (int i = 1; i <= 8; ++i) {
        t.push_back("Beleginfo - Art " + std::to_string(i));
        t.push_back("Beleginfo - Inhalt " + std::to_string(i));
    }
    for (const char* title :
         {"KOST1 - Kostenstelle", "KOST2 - Kostenstelle", "Kost-Menge", "EU-Land u. UStID (Bestimmung)",
          "EU-Steuersatz (Bestimmung)", "Abw. Versteuerungsart", "Sachverhalt L+L",
          "Funktionserg\xE4nzung L+L", "BU 49 Hauptfunktionstyp", "BU 49 Hauptfunktionsnummer",
          "BU 49 Funktionserg\xE4nzung"})
        t.emplace_back(title);
    for (int i = 1; i <= 20; ++i) {
        t.push_back("Zusatzinformation - Art " + std::to_string(i));
        t.push_back("Zusatzinformation- Inhalt " + std::to_string(i));
    }
    for (const char* title : {"St\xFC"
                              "ck",
                              "Gewicht",
                              "Zahlweise",
                              "Forderungsart",
                              "Veranlagungsjahr",
                              "Zugeordnete F\xE4lligkeit",
                              "Skontotyp",
                              "Auftragsnummer",
                              "Buchungstyp",
                              "USt-Schl\xFCssel (Anzahlungen)",
                              "EU-Land (Anzahlungen)",
                              "Sachverhalt L+L (Anzahlungen)",
                              "EU-Steuersatz (Anzahlungen)",
                              "Erl\xF6skonto (Anzahlungen)",
                              "Herkunft-Kz",
                              "Buchungs GUID",
                              "KOST-Datum",
                              "SEPA-Mandatsreferenz",
                              "Skontosperre",
                              "Gesellschaftername",
                              "Beteiligtennummer",
                              "Identifikationsnummer",
                              "Zeichnernummer",
                              "Postensperre bis",
                              "Bezeichnung SoBil-Sachverhalt",
                              "Kennzeichen SoBil-Buchung",
                              "Festschreibung",
                              "Leistungsdatum",
                              "Datum Zuord. Steuerperiode",
                              "F\xE4lligkeit",
                              "Generalumkehr (GU)",
                              "Steuersatz",
                              "Land",
                              "Abrechnungsreferenz",
                              "BVV-Position",
                              "EU-Land u. UStID (Ursprung)",
                              "EU-Steuersatz (Ursprung)",
                              "Abw. Skontokonto"})
        t.emplace_back(title);
    return t;
}

} // namespace accounting
