// The check before an e-invoice is written: each missing or unusable datum gives its reason, and a
// complete invoice gives none.

#include "einvoice/preflight.h"
#include "einvoicetesting.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using einvoice::Document;
using einvoice::Profile;

struct Case {
    const char* name;
    std::function<void(Document&)> change;
    Profile profile;
    std::vector<std::string> reasons;
};

TEST(PreflightTest, EachGapHasItsReason) {
    const auto withoutXRechnungData = [](Document& d) {
        d.seller.contactName = d.seller.telephone = d.seller.email = d.seller.iban = "";
        d.buyer.reference = d.buyer.email = "";
    };
    const std::string amounts = "Rechnungsbetr\xE4ge passen nicht zusammen";
    const Case cases[] = {
        {"complete", [](Document&) {}, Profile::XRechnung, {}},
        {"tax number alone, Greek VAT id, terms without due date",
         [](Document& d) {
             d.seller.vatId = "";
             d.buyer.vatId = "EL123456789";
             d.dueDate.reset();
         },
         Profile::XRechnung,
         {}},
        {"EN 16931 needs no contact, IBAN or Leitweg-ID", withoutXRechnungData, Profile::En16931, {}},
        {"XRechnung needs them",
         withoutXRechnungData,
         Profile::XRechnung,
         {"Ansprechpartner der Firma fehlt", "Telefon der Firma fehlt", "E-Mail der Firma fehlt",
          "IBAN der Firma fehlt", "Leitweg-ID des Kunden fehlt", "E-Mail des Kunden fehlt"}},
        {"seller blank or control characters only",
         [](Document& d) {
             d.seller.name = d.seller.street = d.seller.postcode = d.seller.city = " \t\x01 ";
         },
         Profile::En16931,
         {"Firmenname fehlt",
          "Stra\xDF"
          "e der Firma fehlt",
          "PLZ der Firma fehlt", "Ort der Firma fehlt"}},
        {"XRechnung telephone of blanks only",
         [](Document& d) { d.seller.telephone = " \t "; },
         Profile::XRechnung,
         {"Telefon der Firma fehlt"}},
        {"no tax number and no VAT id",
         [](Document& d) { d.seller.taxNumber = d.seller.vatId = ""; },
         Profile::En16931,
         {"Steuernummer oder USt-IdNr. der Firma fehlt"}},
        {"VAT ids and countries without codes",
         [](Document& d) {
             d.seller.vatId = "123456789";
             d.buyer.vatId = "XX12345";
             d.seller.countryCode = "Deutschland";
             d.buyer.countryCode = "de";
         },
         Profile::En16931,
         {"Land der Firma ist kein L\xE4nderkennzeichen (z. B. DE)",
          "USt-IdNr. der Firma beginnt nicht mit einem L\xE4nderkennzeichen",
          "Land des Kunden ist kein L\xE4nderkennzeichen (z. B. DE)",
          "USt-IdNr. des Kunden beginnt nicht mit einem L\xE4nderkennzeichen"}},
        {"buyer without name, postcode, city, country",
         [](Document& d) { d.buyer.name = d.buyer.postcode = d.buyer.city = d.buyer.countryCode = ""; },
         Profile::En16931,
         {"Name des Kunden fehlt", "PLZ des Kunden fehlt", "Ort des Kunden fehlt", "Land des Kunden fehlt"}},
        {"no number, a line without designation, no due date and no terms",
         [](Document& d) {
             d.number = d.lines[1].name = d.paymentTerms = "";
             d.dueDate.reset();
         },
         Profile::En16931,
         {"Rechnungsnummer fehlt", "Position 2 ohne Bezeichnung", "Zahlungsziel fehlt"}},
        {"no lines",
         [](Document& d) {
             d.lines.clear();
             computeAmounts(d, false);
         },
         Profile::En16931,
         {"keine Rechnungsposition"}},
        {"negative rate",
         [](Document& d) {
             d.rate = money::parse<money::Rate>("-5");
             computeAmounts(d, false);
         },
         Profile::En16931,
         {"Steuersatz unter 0 %"}},
        {"lines do not add up to the net total",
         [](Document& d) { d.lines[0].netAmount.units += 1; },
         Profile::En16931,
         {amounts}},
        {"tax in small-business mode",
         [](Document& d) { d.smallBusiness = true; },
         Profile::En16931,
         {amounts}},
        {"XRechnung terms that look like a discount line",
         [](Document& d) { d.paymentTerms = " #2% Skonto"; },
         Profile::XRechnung,
         {"Zahlungsbedingungen beginnen mit \"#\""}},
    };
    for (const Case& c : cases) {
        Document doc = sampleDocument();
        c.change(doc);
        EXPECT_EQ(einvoice::missingFor(doc, c.profile), c.reasons) << c.name;
    }
}

} // namespace
