#include "settings/companyfile.h"

#include "runtime/atomicsave.h"
#include "runtime/codepage.h"
#include "runtime/linefile.h"
#include "state/companydata.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace {

constexpr int kFile = 0;

/// A key of Firma.ini and the text it holds.
struct TextKey {
    std::string_view key;
    std::string CompanyData::*text;
    /// A key a file gets only once its value differs from the default, so that a Firma.ini of an
    /// earlier installation is written back as it was.
    bool optional = false;
};

// In the order a new file lists them; the small-business flag follows as the last key.
constexpr std::array kTextKeys = {
    TextKey{"Firmenname", &CompanyData::name},
    TextKey{"Ansprechpartner", &CompanyData::contactName},
    TextKey{"Strasse", &CompanyData::street},
    TextKey{"PLZ", &CompanyData::postcode},
    TextKey{"Ort", &CompanyData::city},
    TextKey{"Land", &CompanyData::countryCode},
    TextKey{"Telefon", &CompanyData::telephone},
    TextKey{"EMail", &CompanyData::email},
    TextKey{"Steuernummer", &CompanyData::taxNumber},
    TextKey{"UStIdNr", &CompanyData::vatId},
    TextKey{"IBAN", &CompanyData::iban},
    TextKey{"BIC", &CompanyData::bic},
    TextKey{"Zahlungsziel", &CompanyData::paymentDays},
    TextKey{"Zahlungsbedingungen", &CompanyData::paymentTerms},
    TextKey{"SkontoProzent", &CompanyData::cashDiscountPercent, true},
    TextKey{"SkontoTage", &CompanyData::cashDiscountDays, true},
    TextKey{"Mahngebuehr", &CompanyData::dunningFee, true},
    TextKey{"Verzugszinssatz", &CompanyData::interestRate, true},
    TextKey{"MahnZahlungsziel", &CompanyData::dunningDays, true},
};
constexpr std::string_view kSmallBusinessKey = "Kleinunternehmer";

// The section "Buchhaltung", after the flag; a key is written only when the file has it or its value
// differs from the default, so that an earlier Firma.ini saves as it was.
struct AccountingKey {
    std::string_view key;
    std::string CompanyData::*text;
};
constexpr std::array kAccountingKeys = {
    AccountingKey{"Beraternummer", &CompanyData::adviserNumber},
    AccountingKey{"Mandantennummer", &CompanyData::clientNumber},
    AccountingKey{"Kontenrahmen", &CompanyData::chart},
    AccountingKey{"WJBeginn", &CompanyData::fiscalYearStart},
    AccountingKey{"Sachkontenlaenge", &CompanyData::accountLength},
    AccountingKey{"Debitoren", &CompanyData::debtors},
};
// The accounts follow as Konto_1 to Konto_9 in the order of CompanyData::accounts.
constexpr std::string_view kAccountKeyPrefix = "Konto_";

constexpr std::size_t kFirstAccounting = kTextKeys.size() + 1;
constexpr std::size_t kFirstAccount = kFirstAccounting + kAccountingKeys.size();
constexpr std::size_t kKeys = kFirstAccount + kAccountFields;

std::string accountKey(std::size_t account) {
    return std::string(kAccountKeyPrefix) + std::to_string(account + 1);
}

// The value of an accounting key, const or not as the company data are; nullptr for the other keys.
template <class Company>
auto accountingValue(Company& company, std::size_t index) -> decltype(&company.chart) {
    if (index >= kFirstAccount && index < kKeys)
        return &company.accounts[index - kFirstAccount];
    if (index >= kFirstAccounting && index < kFirstAccount)
        return &(company.*kAccountingKeys[index - kFirstAccounting].text);
    return nullptr;
}

std::string keyName(std::size_t index) {
    if (index < kTextKeys.size())
        return std::string(kTextKeys[index].key);
    if (index == kTextKeys.size())
        return std::string(kSmallBusinessKey);
    if (index < kFirstAccount)
        return std::string(kAccountingKeys[index - kFirstAccounting].key);
    return accountKey(index - kFirstAccount);
}

// The index of a line's key among the known keys (the flag last); kKeys for a line without a known key.
std::size_t keyIndex(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return kKeys;
    const std::string_view key = line.substr(0, equals);
    for (std::size_t i = 0; i < kKeys; ++i) {
        if (keyName(i) == key)
            return i;
    }
    return kKeys;
}

// The first line of a known key gives its value; a repeated key is kept like an unknown line, so that
// it cannot change what the first one says.
class KeyTracker {
  public:
    /// The key index of the line when it is the first of its key, else kKeys.
    std::size_t firstOf(std::string_view line) {
        const std::size_t index = keyIndex(line);
        if (index == kKeys || seen_[index])
            return kKeys;
        seen_[index] = true;
        return index;
    }
    bool seen(std::size_t index) const { return seen_[index]; }

  private:
    std::array<bool, kKeys> seen_{};
};

// A CR, LF or NUL in a value would end its line and make the rest a line of its own.
std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return line;
}

// Whether a file without the key's line gets one: the e-invoice keys and the flag always, the optional
// and the accounting keys once their value differs from the default.
bool writtenWhenMissing(const CompanyData& company, std::size_t index) {
    const CompanyData standard;
    if (const std::string* value = accountingValue(company, index))
        return *value != *accountingValue(standard, index);
    if (index == kTextKeys.size() || !kTextKeys[index].optional)
        return true;
    return company.*kTextKeys[index].text != standard.*kTextKeys[index].text;
}

std::string keyLine(const CompanyData& company, std::size_t index) {
    if (const std::string* value = accountingValue(company, index))
        return keyName(index) + "=" + oneLine(*value);
    if (index == kTextKeys.size())
        return std::string(kSmallBusinessKey) + "=" + (company.smallBusiness ? "1" : "0");
    return std::string(kTextKeys[index].key) + "=" + oneLine(company.*kTextKeys[index].text);
}

void takeValue(CompanyData& company, std::size_t index, std::string_view line) {
    const std::string_view value = line.substr(line.find('=') + 1);
    if (std::string* text = accountingValue(company, index))
        *text = std::string(value);
    else if (index == kTextKeys.size())
        company.smallBusiness = value == "1";
    else
        company.*kTextKeys[index].text = std::string(value);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A line of a file an editor saved as UTF-8 with a byte-order mark, in the program's Windows-1252; a
// line that is no valid UTF-8 keeps its bytes.
std::string fromUtf8Line(const std::string& line) {
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(QByteArrayView(line.data(), static_cast<qsizetype>(line.size())));
    return decode.hasError() ? line : fromQString(text);
}

} // namespace

bool loadCompanyData() {
    CompanyData& company = companyData();
    company = CompanyData{};
    if (openForReading(kFile, kCompanyName) == 0) {
        // A file that is there but refuses to open must not be replaced by an empty record.
        if (fileSize(kCompanyName) < 0)
            return true;
        protectFromReplacement(kCompanyName);
        return false;
    }
    company.present = true;
    KeyTracker keys;
    bool utf8 = false;
    while (atEnd(kFile) == 0) {
        std::string line = readLine(kFile);
        // Only the file's first bytes can be its byte-order mark.
        if (company.fileLines.empty() && line.starts_with(kByteOrderMark)) {
            line.erase(0, kByteOrderMark.size());
            utf8 = true;
        }
        if (utf8)
            line = fromUtf8Line(line);
        // A first line that still began so would be taken for the mark when the file is read again.
        while (company.fileLines.empty() && line.starts_with(kByteOrderMark))
            line = line.substr(kByteOrderMark.size());
        const std::size_t index = keys.firstOf(line);
        if (index != kKeys)
            takeValue(company, index, line);
        company.fileLines += line;
        company.fileLines += "\r\n";
    }
    // A read error looks like the end of the file; writing back what was read would lose the rest.
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!whole)
        protectFromReplacement(kCompanyName);
    return whole;
}

bool saveCompanyData() {
    const CompanyData& company = companyData();
    ReplacementFile file(kCompanyName);
    KeyTracker keys;
    const std::string_view lines = company.fileLines;
    for (std::size_t at = 0; at < lines.size();) {
        const std::size_t end = std::min(lines.find("\r\n", at), lines.size());
        const std::string_view line = lines.substr(at, end - at);
        const std::size_t index = keys.firstOf(line);
        if (index == kKeys)
            file.writeLine(line);
        else
            file.writeLine(keyLine(company, index));
        at = end + 2;
    }
    for (std::size_t index = 0; index < kKeys; ++index) {
        if (!keys.seen(index) && writtenWhenMissing(company, index))
            file.writeLine(keyLine(company, index));
    }
    return file.commit();
}
