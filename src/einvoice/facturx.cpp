#include "einvoice/facturx.h"

#include "einvoice/cleantext.h"
#include "einvoice/xmpmetadata.h"

#include <QColorSpace>
#include <QDateTime>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>

namespace einvoice {

namespace {

const char* const kProgram = "Quillora";
const char* const kSRgb = "sRGB IEC61966-2.1";

std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

// An output intent is what tells a PDF/A reader the colours' meaning; Qt's PDF/A output has one.
bool hasPdfaOutputIntent(QPDFObjectHandle root) {
    QPDFObjectHandle intents = root.getKey("/OutputIntents");
    if (!intents.isArray())
        return false;
    for (QPDFObjectHandle intent : intents.aitems()) {
        if (intent.isDictionary() && intent.getKey("/S").isNameAndEquals("/GTS_PDFA1") &&
            intent.getKey("/DestOutputProfile").isStream())
            return true;
    }
    return false;
}

void addSRgbOutputIntent(QPDF& pdf, QPDFObjectHandle root) {
    const QByteArray icc = QColorSpace(QColorSpace::SRgb).iccProfile();
    QPDFObjectHandle profile = QPDFObjectHandle::newStream(&pdf, icc.toStdString());
    profile.getDict().replaceKey("/N", QPDFObjectHandle::newInteger(3));
    QPDFObjectHandle intent = QPDFObjectHandle::newDictionary();
    intent.replaceKey("/Type", QPDFObjectHandle::newName("/OutputIntent"));
    intent.replaceKey("/S", QPDFObjectHandle::newName("/GTS_PDFA1"));
    intent.replaceKey("/OutputConditionIdentifier", QPDFObjectHandle::newString(kSRgb));
    intent.replaceKey("/Info", QPDFObjectHandle::newString(kSRgb));
    intent.replaceKey("/DestOutputProfile", profile);
    root.replaceKey("/OutputIntents", QPDFObjectHandle::newArray({pdf.makeIndirectObject(intent)}));
}

QPDFObjectHandle attachXml(QPDF& pdf, std::string_view xml, const std::string& pdfDate) {
    auto stream = QPDFEFStreamObjectHelper::createEFStream(pdf, std::string(xml));
    stream.setSubtype("text/xml").setModDate(pdfDate);
    auto entry = QPDFFileSpecObjectHelper::createFileSpec(pdf, kFacturXFileName, stream);
    entry.setDescription("Factur-X Invoice");
    QPDFObjectHandle entryObject = entry.getObjectHandle();
    entryObject.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
    // The invoice is the only attachment: a tree from the input, perhaps unsorted or broken, would
    // hide it from readers that search the tree.
    QPDFObjectHandle root = pdf.getRoot();
    if (root.getKey("/Names").isDictionary())
        root.getKey("/Names").removeKey("/EmbeddedFiles");
    else
        root.removeKey("/Names");
    QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(kFacturXFileName, entry);
    return entryObject;
}

} // namespace

std::optional<std::string> makeFacturX(std::string_view pdfBytes, std::string_view xml, const PdfInfo& info) {
    if (xml.empty() || pdfBytes.empty())
        return std::nullopt;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(false);
        pdf.processMemoryFile("invoice", pdfBytes.data(), pdfBytes.size());
        if (pdf.isEncrypted() || QPDFPageDocumentHelper(pdf).getAllPages().empty())
            return std::nullopt;
        QPDFObjectHandle root = pdf.getRoot();

        const QDateTime created = QDateTime::fromSecsSinceEpoch(info.createdUtc, Qt::UTC);
        const std::string pdfDate = utf8(created.toString(QStringLiteral("'D:'yyyyMMddHHmmss'Z'")));
        XmpFields fields{cleanText(info.title),
                         cleanText(info.author),
                         QString::fromLatin1(kProgram),
                         QString::fromLatin1(kProgram),
                         created.toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'")),
                         QString::fromLatin1(info.chainValue)};

        // The Info dictionary says exactly what the XMP packet says, as PDF/A demands.
        QPDFObjectHandle docInfo = QPDFObjectHandle::newDictionary();
        docInfo.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(utf8(fields.title)));
        docInfo.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(utf8(fields.author)));
        docInfo.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(kProgram));
        docInfo.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString(kProgram));
        docInfo.replaceKey("/CreationDate", QPDFObjectHandle::newString(pdfDate));
        docInfo.replaceKey("/ModDate", QPDFObjectHandle::newString(pdfDate));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(docInfo));
        // qpdf keeps the input's first ID, which Qt makes anew each time; without it the ID follows
        // from the content, and the same invoice gives the same bytes.
        pdf.getTrailer().removeKey("/ID");

        QPDFObjectHandle metadata = QPDFObjectHandle::newStream(&pdf, facturXMetadata(fields));
        metadata.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
        metadata.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
        root.replaceKey("/Metadata", metadata);

        root.replaceKey("/AF", QPDFObjectHandle::newArray({attachXml(pdf, xml, pdfDate)}));
        if (!hasPdfaOutputIntent(root))
            addSRgbOutputIntent(pdf, root);

        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setMinimumPDFVersion("1.7");
        writer.setDeterministicID(true);
        // PDF/A wants an end of line before every "endstream".
        writer.setNewlineBeforeEndstream(true);
        writer.write();
        auto buffer = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::string> attachedXml(std::string_view pdfBytes) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(false);
        pdf.processMemoryFile("invoice", pdfBytes.data(), pdfBytes.size());
        const auto file = QPDFEmbeddedFileDocumentHelper(pdf).getEmbeddedFile(kFacturXFileName);
        if (!file)
            return std::nullopt;
        const auto data = file->getEmbeddedFileStream().getStreamData();
        return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace einvoice
