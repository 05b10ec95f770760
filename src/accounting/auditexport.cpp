#include "accounting/auditexport.h"

#include "runtime/codepage.h"

#include <set>

namespace accounting {

namespace {

enum class ColumnType { Text, Number, Amount, Date };

struct Column {
    const char* name;
    ColumnType type;
};

struct Table {
    const char* file;
    const char* name;
    const char* description;
    std::vector<Column> columns;
    /// One line per record, each field as written.
    std::string rows;
};

// A text field in quotes, inner quotes doubled; line breaks cannot occur in the program's texts,
// but a text from elsewhere has them made blanks.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"')
            out += "\"\"";
        else
            out += (c == '\r' || c == '\n' || c == '\0') ? ' ' : c;
    }
    return out + "\"";
}

std::string xmlText(std::string_view windows1252) {
    std::string out;
    for (const char c : toUtf8(windows1252)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string dateText(DateValue d) {
    return formatDate("%dd.%mm.%yyyy", d);
}

void addRow(Table& table, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            table.rows += ';';
        table.rows += table.columns[i].type == ColumnType::Text ? quoted(fields[i]) : fields[i];
    }
    table.rows += "\r\n";
}

const char* kindText(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::Cancellation:
        return "Storno";
    case DocumentKind::CreditNote:
        return "Gutschrift";
    default:
        return "Rechnung";
    }
}

Table registerTable(const AuditData& data, const Period& period) {
    Table t{"Rechnungsausgang.csv",
            "Rechnungsausgang",
            "Rechnungen, Stornos und Gutschriften, eine Zeile je Steuerfall",
            {{"Rechnungsnummer", ColumnType::Text},
             {"Art", ColumnType::Text},
             {"Datum", ColumnType::Date},
             {"Kundennummer", ColumnType::Number},
             {"Kunde", ColumnType::Text},
             {"Steuerkategorie", ColumnType::Text},
             {"Steuersatz", ColumnType::Amount},
             {"Netto", ColumnType::Amount},
             {"Steuer", ColumnType::Amount},
             {"Bezug", ColumnType::Text}},
            {}};
    for (const InvoiceRecord& invoice : data.invoices) {
        if (!period.contains(invoice.date))
            continue;
        for (const TaxPart& part : invoice.parts)
            addRow(t, {invoice.number, kindText(invoice.kind), dateText(invoice.date),
                       std::to_string(invoice.customerNumber), invoice.customerName, part.category,
                       money::formatDecimal(part.rate.units, 2, 2, ','), money::formatAmount(part.net),
                       money::formatAmount(part.tax), invoice.refersTo});
    }
    return t;
}

Table linesTable(const AuditData& data, const std::set<std::string>& numbers) {
    Table t{
        "Rechnungspositionen.csv",
        "Rechnungspositionen",
        "Die Zeilen der Rechnungen: Bezeichnung, Einzelpreis und Beschreibung, wie gespeichert",
        {{"Rechnungsnummer", ColumnType::Text}, {"Position", ColumnType::Number}, {"Text", ColumnType::Text}},
        {}};
    for (const auto& [number, lines] : data.itemLines) {
        if (!numbers.contains(number))
            continue;
        for (std::size_t i = 0; i < lines.size(); ++i)
            addRow(t, {number, std::to_string(i + 1), lines[i]});
    }
    return t;
}

Table customersTable(const AuditData& data) {
    Table t{"Kunden.csv",
            "Kunden",
            "Die Kunden, mit ihrer Nummer",
            {{"Kundennummer", ColumnType::Number},
             {"Anrede", ColumnType::Text},
             {"Name", ColumnType::Text},
             {"Vorname", ColumnType::Text},
             {"Zusatz", ColumnType::Text},
             {"Strasse", ColumnType::Text},
             {"Wohnort", ColumnType::Text},
             {"EMail", ColumnType::Text},
             {"LeitwegID", ColumnType::Text},
             {"UStIdNr", ColumnType::Text},
             {"PLZ", ColumnType::Text},
             {"Ort", ColumnType::Text},
             {"Land", ColumnType::Text}},
            {}};
    for (const auto& [number, cells] : data.customers) {
        std::vector<std::string> fields = {std::to_string(number)};
        fields.insert(fields.end(), cells.begin(), cells.end());
        fields.resize(t.columns.size());
        addRow(t, fields);
    }
    return t;
}

Table articlesTable(const AuditData& data) {
    Table t{"Artikel.csv",
            "Artikel",
            "Die Artikel; der Preis wie eingegeben",
            {{"Bezeichnung", ColumnType::Text},
             {"Kategorie", ColumnType::Text},
             {"Preis", ColumnType::Text},
             {"Beschreibung", ColumnType::Text}},
            {}};
    for (std::vector<std::string> cells : data.articles) {
        cells.resize(t.columns.size());
        addRow(t, cells);
    }
    return t;
}

Table paymentsTable(const AuditData& data, const Period& period) {
    Table t{"Zahlungen.csv",
            "Zahlungen",
            "Die Zahlungen zu den Rechnungen",
            {{"Rechnungsnummer", ColumnType::Text},
             {"Datum", ColumnType::Date},
             {"Betrag", ColumnType::Amount},
             {"Bemerkung", ColumnType::Text}},
            {}};
    for (const PaymentRecord& p : data.payments) {
        if (period.contains(p.date))
            addRow(t, {p.invoiceNumber, dateText(p.date), money::formatAmount(p.amount), p.remark});
    }
    return t;
}

std::string columnXml(const Column& c) {
    std::string type;
    switch (c.type) {
    case ColumnType::Text:
        type = "<AlphaNumeric/>";
        break;
    case ColumnType::Number:
        type = "<Numeric/>";
        break;
    case ColumnType::Amount:
        type = "<Numeric><Accuracy>2</Accuracy></Numeric>";
        break;
    case ColumnType::Date:
        type = "<Date><Format>DD.MM.YYYY</Format></Date>";
        break;
    }
    return "        <VariableColumn><Name>" + std::string(c.name) + "</Name>" + type + "</VariableColumn>\n";
}

std::string indexXml(const AuditData& data, const Period& period, const std::vector<Table>& tables) {
    const std::string from = dateText(period.from);
    const std::string to = dateText(period.to);
    std::string x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE DataSet SYSTEM \"" +
                    std::string(kGdpduDtdName) + "\">\n<DataSet>\n  <Version>1.0</Version>\n";
    x += "  <DataSupplier>\n    <Name>" + xmlText(data.supplierName) + "</Name>\n    <Location>" +
         xmlText(data.supplierLocation) + "</Location>\n    <Comment>Rechnungsausgang vom " + from + " bis " +
         to + "</Comment>\n  </DataSupplier>\n";
    x += "  <Media>\n    <Name>Datenexport " + from + " bis " + to + "</Name>\n";
    for (const Table& t : tables) {
        x += "    <Table>\n      <URL>" + std::string(t.file) + "</URL>\n      <Name>" + t.name +
             "</Name>\n      <Description>" + xmlText(t.description) + "</Description>\n";
        x += "      <Validity><Range><From>" + from + "</From><To>" + to +
             "</To></Range><Format>DD.MM.YYYY</Format></Validity>\n";
        x += "      <ANSI/>\n      <DecimalSymbol>,</DecimalSymbol>\n      "
             "<DigitGroupingSymbol>.</DigitGroupingSymbol>\n";
        x += "      <VariableLength>\n        <ColumnDelimiter>;</ColumnDelimiter>\n        "
             "<RecordDelimiter>&#13;&#10;</RecordDelimiter>\n        "
             "<TextEncapsulator>\"</TextEncapsulator>\n";
        for (const Column& c : t.columns)
            x += columnXml(c);
        x += "      </VariableLength>\n    </Table>\n";
    }
    return x + "  </Media>\n</DataSet>\n";
}

} // namespace

std::vector<ExportFile> auditExportFiles(const AuditData& data, const Period& period) {
    std::set<std::string> numbers;
    for (const InvoiceRecord& invoice : data.invoices) {
        if (period.contains(invoice.date))
            numbers.insert(invoice.number);
    }
    const std::vector<Table> tables = {registerTable(data, period), linesTable(data, numbers),
                                       customersTable(data), articlesTable(data),
                                       paymentsTable(data, period)};
    std::vector<ExportFile> files = {{"index.xml", indexXml(data, period, tables)},
                                     {std::string(kGdpduDtdName), std::string(kGdpduDtd)}};
    for (const Table& t : tables)
        files.push_back({t.file, t.rows});
    for (const ExportFile& f : data.archiveFiles)
        files.push_back({"Archiv/" + f.path, f.bytes});
    return files;
}

} // namespace accounting
