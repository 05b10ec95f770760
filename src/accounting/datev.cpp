#include "accounting/datev.h"

#include "accounting/datevcolumns.h"
#include "accounting/periods.h"

#include <array>

namespace accounting {

namespace {

constexpr std::size_t kColumns = 125;
constexpr std::size_t kTextLength = 60;
// DATEV's amount field holds at most ten digits before the comma.
constexpr std::int64_t kLargestAmount = 999999999999;

std::string joined(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        line += fields[i];
    }
    return line + "\r\n";
}

std::string yyyymmdd(DateValue d) {
    return formatDate("%yyyy%mm%dd", d);
}

std::string headerLine(const AccountingSetup& setup, const Period& period, DateValue created) {
    const DateValue fiscalStart = fiscalYearStart(period.from, setup.fiscalDay, setup.fiscalMonth);
    const std::vector<std::string> fields = {"\"EXTF\"",
                                             "700",
                                             "21",
                                             "\"Buchungsstapel\"",
                                             "13",
                                             formatDate("%yyyy%mm%dd%hh%ii%ss", created) + "000",
                                             "",
                                             "\"RE\"",
                                             "\"\"",
                                             "\"\"",
                                             std::to_string(setup.adviser),
                                             std::to_string(setup.client),
                                             yyyymmdd(fiscalStart),
                                             std::to_string(setup.accountLength),
                                             yyyymmdd(period.from),
                                             yyyymmdd(period.to),
                                             "\"Ausgangsrechnungen\"",
                                             "\"\"",
                                             "1",
                                             "0",
                                             "0",
                                             "\"EUR\"",
                                             "",
                                             "\"\"",
                                             "",
                                             "",
                                             setup.chart == Chart::Skr03 ? "\"03\"" : "\"04\"",
                                             "",
                                             "",
                                             "\"\"",
                                             "\"\""};
    return joined(fields);
}

struct Booking {
    money::Amount amount;
    std::int64_t account = 0;
    std::int64_t contraAccount = 0;
    DateValue date = 0;
    std::string document;
    std::string text;
};

std::string bookingLine(const Booking& b) {
    std::vector<std::string> f(kColumns);
    const std::int64_t cents = b.amount.units < 0 ? -b.amount.units : b.amount.units;
    f[0] = money::formatAmount(money::Amount{cents});
    // The amount is never negative: a negative one goes to the other side.
    f[1] = b.amount.units < 0 ? "\"H\"" : "\"S\"";
    f[2] = "\"EUR\"";
    f[6] = std::to_string(b.account);
    f[7] = std::to_string(b.contraAccount);
    f[9] = formatDate("%dd%mm", b.date);
    f[10] = datevText(b.document, 36);
    f[13] = datevText(b.text, kTextLength);
    return joined(f);
}

// Collects the bookings, or the reason none can be written.
class BatchBuilder {
  public:
    BatchBuilder(const AccountingSetup& setup, const Period& period) : setup_(setup), period_(period) {}

    bool addInvoice(const InvoiceRecord& invoice) {
        if (!period_.contains(invoice.date))
            return true;
        const std::optional<std::int64_t> debtor = debtorOf(invoice.customerNumber, invoice.number);
        if (!debtor)
            return false;
        for (const TaxPart& part : invoice.parts) {
            const std::optional<RevenueCase> revenueCase = revenueCaseOf(part.category, part.rate);
            const std::optional<std::int64_t> revenue =
                revenueCase ? revenueAccount(setup_, *revenueCase) : std::nullopt;
            if (!revenue)
                return refuse("F\xFCr die Rechnung Nr. " + invoice.number + " (Steuerfall " + part.category +
                              " " + money::formatDecimal(part.rate.units, 2, 0, ',') +
                              " %) gibt es kein Erl\xF6skonto.");
            if (!add({grossOf(part).value_or(money::Amount{kLargestAmount + 1}), *debtor, *revenue,
                      invoice.date, invoice.number, invoice.customerName}))
                return false;
        }
        return true;
    }

    bool addPayment(const PaymentRecord& payment) {
        if (!period_.contains(payment.date))
            return true;
        const std::optional<std::int64_t> debtor = debtorOf(payment.customerNumber, payment.invoiceNumber);
        const std::optional<std::int64_t> bank = bankAccount(setup_);
        if (!debtor)
            return false;
        if (!bank)
            return refuse("Das Bankkonto hat mehr Stellen als die Sachkontenl\xE4nge.");
        const std::string& text = payment.customerName.empty() ? payment.remark : payment.customerName;
        return add({payment.amount, *bank, *debtor, payment.date, payment.invoiceNumber, text});
    }

    DatevBatch finish(DateValue created) {
        DatevBatch batch;
        batch.refusal = refusal_;
        if (!refusal_.empty() || lines_.empty())
            return batch;
        batch.bookings = static_cast<int>(count_);
        batch.bytes = headerLine(setup_, period_, created) + joined(datevColumnTitles()) + lines_;
        return batch;
    }

    bool refuse(std::string reason) {
        refusal_ = std::move(reason);
        return false;
    }

  private:
    std::optional<std::int64_t> debtorOf(std::int64_t customer, const std::string& number) {
        const std::optional<std::int64_t> debtor = debtorAccount(setup_, customer);
        if (!debtor)
            refuse("Die Kundennummer " + std::to_string(customer) + " (Rechnung Nr. " + number +
                   ") passt in kein Debitorenkonto der Sachkontenl\xE4nge.");
        return debtor;
    }

    bool add(const Booking& booking) {
        if (booking.amount.units == 0)
            return true;
        if (booking.amount.units > kLargestAmount || booking.amount.units < -kLargestAmount)
            return refuse("Der Betrag zu Nr. " + booking.document +
                          " ist f\xFCr das DATEV-Format zu gro\xDF.");
        lines_ += bookingLine(booking);
        ++count_;
        return true;
    }

    const AccountingSetup& setup_;
    const Period& period_;
    std::string lines_;
    std::size_t count_ = 0;
    std::string refusal_;
};

} // namespace

std::string datevText(std::string_view text, std::size_t maxLength) {
    std::string out = "\"";
    std::size_t taken = 0;
    for (const char c : text) {
        if (taken++ == maxLength)
            break;
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"')
            out += "\"\"";
        else
            out += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return out + "\"";
}

DatevBatch datevBookingBatch(const std::vector<InvoiceRecord>& invoices,
                             const std::vector<PaymentRecord>& payments, const AccountingSetup& setup,
                             const Period& period, DateValue created) {
    BatchBuilder builder(setup, period);
    // DATEV takes the year of a Belegdatum from the batch, which lies in one fiscal year.
    const DateValue fiscalStart = fiscalYearStart(period.from, setup.fiscalDay, setup.fiscalMonth);
    if (fiscalYearStart(period.to, setup.fiscalDay, setup.fiscalMonth) != fiscalStart ||
        period.to < period.from) {
        builder.refuse("Der Zeitraum muss in einem Wirtschaftsjahr liegen.");
        return builder.finish(created);
    }
    for (const InvoiceRecord& invoice : invoices) {
        if (!builder.addInvoice(invoice))
            return builder.finish(created);
    }
    for (const PaymentRecord& payment : payments) {
        if (!builder.addPayment(payment))
            return builder.finish(created);
    }
    return builder.finish(created);
}

} // namespace accounting
