#pragma once
// An invoice as an e-invoice sees it: seller, buyer, dates, lines and totals, filled by the program
// from its company data, the customer and the composed invoice. Texts are the program's
// Windows-1252 bytes; the writers convert them. Amounts are the exact values the printout shows,
// net: in gross-price mode the caller converts with the money module before.

#include "money/money.h"
#include "runtime/conversions.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace einvoice {

/// The exemption reason written for small businesses (category E), in Windows-1252.
inline constexpr const char* kSmallBusinessReason = "Kleinunternehmer gem\xE4\xDF \xA7 19 UStG";

struct Seller {
    std::string name;
    /// Ansprechpartner; XRechnung needs it with telephone and e-mail.
    std::string contactName;
    std::string street;
    std::string postcode;
    std::string city;
    /// ISO 3166-1 alpha-2 ("DE").
    std::string countryCode = "DE";
    std::string telephone;
    std::string email;
    /// Steuernummer (scheme FC).
    std::string taxNumber;
    /// USt-IdNr. (scheme VA), country prefix first ("DE123456789").
    std::string vatId;
    /// Blanks are allowed; the writers drop them.
    std::string iban;
    std::string bic;
};

struct Buyer {
    std::string name;
    /// Street, c/o and the like; empty lines are skipped.
    std::array<std::string, 3> addressLines;
    std::string postcode;
    std::string city;
    std::string countryCode = "DE";
    std::string email;
    /// Leitweg-ID or other buyer reference; XRechnung needs it.
    std::string reference;
    std::string vatId;
    /// The seller's number for the buyer (the customer number).
    std::string id;
};

/// A unit price with more places than money::Price holds: units of 10^-places.
struct FinePrice {
    std::int64_t units = 0;
    /// 0 for none.
    int places = 0;
};

struct Line {
    /// The designation (item name).
    std::string name;
    std::string description;
    money::Quantity quantity;
    /// Net price per unit; may be negative (a credit line), see the writer.
    money::Price netPrice;
    /// quantity × netPrice as the printout rounds it.
    money::Amount netAmount;
    /// Where four places cannot make quantity × price give netAmount within a cent (a gross price
    /// turned net on a large quantity): netAmount / quantity to as many places as that takes, written
    /// instead of netPrice.
    FinePrice finePrice;
};

/// A cash discount (Skonto): `percent` off the amount due when paid within `days` days of the invoice
/// date.
struct CashDiscountTerms {
    int days = 0;
    money::Rate percent;
};

/// What the XML claims to be.
enum class Profile {
    /// EN 16931 (Factur-X / ZUGFeRD profile EN 16931).
    En16931,
    /// The XRechnung 3.0 variant for public-sector buyers.
    XRechnung,
};

/// The VAT category of an invoice: E for small businesses, Z for 0 %, S otherwise.
enum class VatCategory { Standard, ZeroRated, Exempt };

struct Document {
    std::string number;
    DateValue issueDate = 0;
    /// Leistungsdatum.
    std::optional<DateValue> deliveryDate;
    std::optional<DateValue> dueDate;
    std::string paymentTerms;
    /// Written after the payment terms in XRechnung's form "#SKONTO#TAGE=<days>#PROZENT=<p.pp>#".
    std::optional<CashDiscountTerms> cashDiscount;
    /// Kleinunternehmer (§ 19 UStG): no VAT, category E.
    bool smallBusiness = false;
    money::Rate rate;
    Seller seller;
    Buyer buyer;
    std::vector<Line> lines;
    /// Net = the sum of the line amounts, tax, gross = net + tax.
    money::Totals totals;
};

/// The VAT category the document's lines and breakdown carry.
inline VatCategory categoryOf(const Document& doc) {
    if (doc.smallBusiness)
        return VatCategory::Exempt;
    return doc.rate.units == 0 ? VatCategory::ZeroRated : VatCategory::Standard;
}

} // namespace einvoice
