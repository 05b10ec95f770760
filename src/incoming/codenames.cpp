#include "incoming/codenames.h"

#include <utility>

namespace incoming {

namespace {

using Names = std::initializer_list<std::pair<std::string_view, const char*>>;

std::string nameIn(Names names, std::string_view code) {
    for (const auto& [key, name] : names) {
        if (key == code)
            return name;
    }
    return std::string(code);
}

} // namespace

std::string documentTypeName(std::string_view code) {
    return nameIn({{"380", "Rechnung"},
                   {"381", "Gutschrift"},
                   {"383", "Belastungsanzeige"},
                   {"384", "Korrekturrechnung"},
                   {"386", "Vorauszahlungsrechnung"},
                   {"389", "Selbst ausgestellte Rechnung (Gutschriftverfahren)"},
                   {"326", "Teilrechnung"},
                   {"261", "Selbst ausgestellte Gutschrift"},
                   {"751", "Rechnungsinformation f\xFCr Buchhaltungszwecke"},
                   {"875", "Abschlagsrechnung (Bauleistung)"},
                   {"876", "Teilschlussrechnung (Bauleistung)"},
                   {"877", "Schlussrechnung (Bauleistung)"}},
                  code);
}

std::string unitName(std::string_view code) {
    return nameIn({{"C62", "St\xFC"
                           "ck"},
                   {"H87", "St\xFC"
                           "ck"},
                   {"XPP", "St\xFC"
                           "ck"},
                   {"EA", "St\xFC"
                          "ck"},
                   {"NAR", "Anzahl"},
                   {"IE", "Person"},
                   {"PR", "Paar"},
                   {"SET", "Satz"},
                   {"LS", "Pauschale"},
                   {"P1", "Prozent"},
                   {"SEC", "Sekunde"},
                   {"MIN", "Minute"},
                   {"HUR", "Stunde"},
                   {"DAY", "Tag"},
                   {"WEE", "Woche"},
                   {"MON", "Monat"},
                   {"ANN", "Jahr"},
                   {"GRM", "Gramm"},
                   {"KGM", "Kilogramm"},
                   {"TNE", "Tonne"},
                   {"MMT", "Millimeter"},
                   {"CMT", "Zentimeter"},
                   {"MTR", "Meter"},
                   {"KMT", "Kilometer"},
                   {"MTK", "Quadratmeter"},
                   {"MTQ", "Kubikmeter"},
                   {"LTR", "Liter"},
                   {"KWH", "Kilowattstunde"},
                   {"KWT", "Kilowatt"},
                   {"XBX", "Karton"},
                   {"XPK", "Packung"},
                   {"ZZ", "Nach Vereinbarung"}},
                  code);
}

std::string vatCategoryName(std::string_view code) {
    return nameIn({{"S", "Umsatzsteuer"},
                   {"Z", "Nullsatz"},
                   {"E", "Steuerbefreit"},
                   {"AE", "Steuerschuldnerschaft des Leistungsempf\xE4ngers"},
                   {"K", "Innergemeinschaftliche Lieferung"},
                   {"G", "Ausfuhrlieferung"},
                   {"O", "Nicht steuerbar"},
                   {"L", "IGIC (Kanarische Inseln)"},
                   {"M", "IPSI (Ceuta und Melilla)"}},
                  code);
}

std::string paymentMeansName(std::string_view code) {
    return nameIn({{"1", "Nicht angegeben"},
                   {"10", "Barzahlung"},
                   {"20", "Scheck"},
                   {"30", "\xDC"
                          "berweisung"},
                   {"31", "Auslands\xFC"
                          "berweisung"},
                   {"42", "Zahlung auf Bankkonto"},
                   {"48", "Bankkarte"},
                   {"49", "Lastschrift"},
                   {"54", "Kreditkarte"},
                   {"55", "Debitkarte"},
                   {"57", "Dauerauftrag"},
                   {"58", "SEPA-\xDC"
                          "berweisung"},
                   {"59", "SEPA-Lastschrift"},
                   {"68", "Online-Zahlungsdienst"},
                   {"97", "Verrechnung"},
                   {"ZZZ", "Vereinbarte Zahlungsart"}},
                  code);
}

} // namespace incoming
