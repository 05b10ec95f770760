#pragma once
// An invoice as an e-invoice sees it: seller, buyer, dates, lines and totals, filled by the program
// from its company data, the customer and the composed invoice. Texts are the program's
// Windows-1252 bytes; the writers convert them. Amounts are the exact values the printout shows,
// net: in gross-price mode the caller converts with the money module before. A received invoice is
// read into the same type; the fields marked "received" are what such an invoice carries beyond
// what the program issues, and the writer leaves them out.

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
    /// Received: address lines after the street.
    std::array<std::string, 2> moreAddressLines = {};
    /// Received: the electronic address (BT-34) and its scheme ("EM", "0204").
    std::string electronicAddress = {};
    std::string electronicScheme = {};
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
    /// Received: the buyer's contact, tax number and electronic address (BT-49); email is then the
    /// contact's e-mail address.
    std::string contactName = {};
    std::string telephone = {};
    std::string taxNumber = {};
    std::string electronicAddress = {};
    std::string electronicScheme = {};
    /// The seller's number for the buyer (the customer number).
    std::string id = {};
};

/// Received: an allowance (discount) or charge, of the document or of a line.
struct AllowanceCharge {
    bool charge = false;
    money::Amount amount;
    std::string reason;
    std::string reasonCode;
    /// The VAT category and rate of a document-level one.
    std::string categoryCode;
    money::Rate rate;
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
    FinePrice finePrice = {};
    /// The line's VAT category ("S", "Z", "E", "AE", ...) and rate. The writer takes the document's
    /// category and rate unless the document has a VAT breakdown of its own.
    std::string categoryCode = "S";
    money::Rate rate = {};
    /// UN/ECE Rec. 20 unit of the quantity ("C62" one piece, "HUR" hour).
    std::string unitCode = "C62";
    /// Received: the quantity the price is for (BT-149); none means 1.
    std::optional<money::Quantity> baseQuantity = {};
    /// Received: the line identifier (BT-126), a note (BT-127), allowances and charges.
    std::string lineId = {};
    std::string note = {};
    std::vector<AllowanceCharge> allowancesCharges = {};
};

/// One category and rate of the VAT breakdown (BG-23); issued invoices with lines of their own
/// categories and rates carry it too.
struct VatBreakdown {
    std::string categoryCode;
    money::Rate rate;
    money::Amount basis;
    money::Amount tax;
    std::string exemptionReason;
    std::string exemptionCode;
};

/// Received: how the buyer is to pay (BG-16).
struct PaymentMeans {
    /// UNTDID 4461 ("58" SEPA credit transfer, "59" SEPA direct debit).
    std::string typeCode;
    std::string information;
    std::string iban;
    std::string accountName;
    std::string bic;
    /// Direct debit: the mandate reference and the account debited.
    std::string mandate;
    std::string debitedAccount;
};

/// Received: a supporting document (BG-24), embedded or referred to by its address.
struct Attachment {
    std::string id;
    std::string description;
    std::string uri;
    std::string fileName;
    std::string mimeCode;
    /// The embedded file's bytes, decoded.
    std::string content;
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

    // Received: what an invoice from outside carries besides (BT numbers of EN 16931).
    /// BT-3: "380" invoice, "381" credit note, "384" corrected invoice, ...
    std::string typeCode = "380";
    /// BT-5.
    std::string currencyCode = "EUR";
    /// BT-24, the rules the invoice claims to follow (its guideline identifier).
    std::string guideline;
    std::vector<std::string> notes;
    /// The invoicing period (BT-73, BT-74).
    std::optional<DateValue> periodStart;
    std::optional<DateValue> periodEnd;
    /// Order (BT-13), contract (BT-12), project (BT-11), despatch advice (BT-16) and the invoice
    /// this one corrects (BT-25).
    std::string orderReference;
    std::string contractReference;
    std::string projectReference;
    std::string despatchReference;
    std::string precedingInvoice;
    /// BT-26, the date the invoice this one corrects was issued on.
    std::optional<DateValue> precedingInvoiceDate;
    /// BT-83, what the transfer is to say.
    std::string paymentReference;
    std::vector<PaymentMeans> paymentMeans;
    std::vector<AllowanceCharge> allowancesCharges;
    /// Empty: the writer writes one entry of the document's category and rate.
    std::vector<VatBreakdown> vatBreakdown;
    /// BT-106, BT-107, BT-108, BT-113, BT-114 and BT-115; totals holds BT-109, BT-110 and BT-112.
    money::Amount lineTotal;
    money::Amount allowanceTotal;
    money::Amount chargeTotal;
    money::Amount prepaid;
    money::Amount rounding;
    money::Amount amountDue;
    std::vector<Attachment> attachments;
};

/// The VAT category the document's lines and breakdown carry.
inline VatCategory categoryOf(const Document& doc) {
    if (doc.smallBusiness)
        return VatCategory::Exempt;
    return doc.rate.units == 0 ? VatCategory::ZeroRated : VatCategory::Standard;
}

} // namespace einvoice
