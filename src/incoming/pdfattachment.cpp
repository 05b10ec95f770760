#include "incoming/pdfattachment.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>

#include <algorithm>
#include <cctype>
#include <exception>
#include <stdexcept>
#include <vector>

namespace incoming {

namespace {

// The names the hybrid formats give their XML, in lower case.
const char* const kInvoiceNames[] = {"factur-x.xml", "zugferd-invoice.xml", "xrechnung.xml"};

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Collects a stream's decoded bytes and stops once they pass the limit: a small compressed stream
// may unpack to gigabytes.
class LimitedBuffer : public Pipeline {
  public:
    explicit LimitedBuffer(std::size_t limit) : Pipeline("limited buffer", nullptr), limit_(limit) {}
    void write(unsigned char const* data, size_t len) override {
        if (bytes_.size() + len > limit_) {
            overflowed_ = true;
            throw std::length_error("attachment too large");
        }
        bytes_.append(reinterpret_cast<const char*>(data), len);
    }
    void finish() override {}
    std::string& bytes() { return bytes_; }
    /// Whether the bytes passed the limit (qpdf may catch what write throws).
    bool overflowed() const { return overflowed_; }

  private:
    std::size_t limit_;
    std::string bytes_;
    bool overflowed_ = false;
};

// The embedded files worth a look, best first: the known names, then what /AF names.
std::vector<QPDFObjectHandle> candidates(QPDF& pdf) {
    std::vector<QPDFObjectHandle> found;
    std::vector<QPDFObjectHandle> byName;
    for (const auto& [key, file] : QPDFEmbeddedFileDocumentHelper(pdf).getEmbeddedFiles()) {
        const std::string name = lowerCase(file->getFilename());
        const std::string keyName = lowerCase(key);
        for (const char* known : kInvoiceNames) {
            if (name == known || keyName == known)
                found.push_back(file->getObjectHandle());
        }
    }
    QPDFObjectHandle af = pdf.getRoot().getKey("/AF");
    if (af.isArray()) {
        for (QPDFObjectHandle file : af.aitems()) {
            const std::string name =
                file.isDictionary() ? lowerCase(QPDFFileSpecObjectHelper(file).getFilename()) : "";
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".xml") == 0)
                found.push_back(file);
        }
    }
    return found;
}

} // namespace

bool looksLikePdf(std::string_view bytes) {
    return bytes.substr(0, 1024).find("%PDF-") != std::string_view::npos;
}

PdfXml invoiceXmlOfPdf(std::string_view bytes, std::size_t maxBytes) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.setAttemptRecovery(false);
        pdf.processMemoryFile("invoice", bytes.data(), bytes.size());
        for (QPDFObjectHandle file : candidates(pdf)) {
            QPDFObjectHandle stream = QPDFFileSpecObjectHelper(file).getEmbeddedFileStream();
            if (!stream.isStream())
                continue;
            LimitedBuffer buffer(maxBytes);
            bool piped = false;
            try {
                piped = stream.pipeStreamData(&buffer, nullptr, 0, qpdf_dl_generalized, true);
            } catch (const std::length_error&) {
            }
            if (buffer.overflowed())
                return {std::nullopt, "ihr XML-Anhang ist gr\xF6\xDF"
                                      "er als 50 MB"};
            if (piped)
                return {std::move(buffer.bytes()), {}};
        }
        return {std::nullopt, "das PDF enth\xE4lt keine Rechnungsdaten (kein XML-Anhang)"};
    } catch (const std::exception&) {
        return {std::nullopt, "das PDF kann nicht gelesen werden (besch\xE4"
                              "digt oder verschl\xFCsselt)"};
    }
}

} // namespace incoming
