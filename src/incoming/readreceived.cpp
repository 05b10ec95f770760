#include "incoming/readreceived.h"

#include "incoming/ciireader.h"
#include "incoming/fieldreader.h"
#include "incoming/pdfattachment.h"
#include "incoming/ublreader.h"
#include "incoming/xmltree.h"

#include <QFile>

namespace incoming {

namespace {

const char* const kTooLarge = "sie ist gr\xF6\xDF"
                              "er als 50 MB";

// After a byte-order mark and blanks, XML begins with "<"; UTF-16 text shows a NUL byte beside it.
bool looksLikeXml(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return true;
    const std::size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

ReadResult readXml(std::string_view bytes) {
    XmlReading reading = readXmlTree(bytes);
    if (!reading.tree)
        return {std::nullopt, reading.refusal};
    const XmlTree& tree = *reading.tree;
    const std::string_view root = tree.root.name;
    if (tree.rootNamespace == kCiiNamespace && root == "CrossIndustryInvoice")
        return readCii(tree);
    if ((tree.rootNamespace == kUblInvoiceNamespace && root == "Invoice") ||
        (tree.rootNamespace == kUblCreditNoteNamespace && root == "CreditNote"))
        return readUbl(tree);
    return {std::nullopt, "ihr Wurzelelement \"" + FieldReader::text(root.substr(0, 40)) +
                              "\" ist weder eine CII- noch eine UBL-Rechnung"};
}

} // namespace

ReadResult readReceived(std::string_view bytes) {
    if (bytes.size() > kMaxReceivedBytes)
        return {std::nullopt, kTooLarge};
    if (bytes.empty())
        return {std::nullopt, "sie ist leer"};
    if (looksLikePdf(bytes)) {
        PdfXml attached = invoiceXmlOfPdf(bytes, kMaxReceivedBytes);
        if (!attached.xml)
            return {std::nullopt, attached.refusal};
        ReadResult result = readXml(*attached.xml);
        if (result.invoice)
            result.invoice->fromPdf = true;
        return result;
    }
    if (!looksLikeXml(bytes))
        return {std::nullopt, "sie ist weder eine XML- noch eine PDF-Datei"};
    return readXml(bytes);
}

ReceivedFile readReceivedFile(const std::string& path) {
    ReceivedFile file;
    QFile in(QFile::decodeName(path.c_str()));
    if (!in.open(QIODevice::ReadOnly)) {
        file.result.refusal = "sie kann nicht ge\xF6"
                              "ffnet werden";
        return file;
    }
    if (in.size() > static_cast<qint64>(kMaxReceivedBytes)) {
        file.result.refusal = kTooLarge;
        return file;
    }
    // Read up to one byte past the limit: a file that grows meanwhile is still refused.
    const QByteArray bytes = in.read(static_cast<qint64>(kMaxReceivedBytes) + 1);
    if (in.error() != QFileDevice::NoError) {
        file.result.refusal = "sie kann nicht gelesen werden";
        return file;
    }
    file.bytes = bytes.toStdString();
    file.result = readReceived(file.bytes);
    return file;
}

std::string unreadableText(std::string_view reason) {
    return "Die Datei ist keine lesbare E-Rechnung: " + std::string(reason) + ".";
}

} // namespace incoming
