// Varied invoices through the writer and the official check: schema, EN 16931 rules, and for those
// with a Leitweg-ID the XRechnung rules. Zero failed asserts of flag fatal or error.

#include "einvoice/ciiwriter.h"
#include "einvoice/preflight.h"
#include "einvoicetesting.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kDocuments = 40;

bool writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

TEST(EinvoiceCorpusTest, VariedInvoicesPassTheOfficialRules) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    int xrechnung = 0;
    for (int n = 0; n < kDocuments; ++n) {
        const einvoice::Document doc = variedDocument(n);
        EXPECT_EQ(einvoice::missingFor(doc, einvoice::Profile::En16931), std::vector<std::string>{}) << n;
        ASSERT_TRUE(writeFile(dir.filePath(QString("%1.xml").arg(n)),
                              einvoice::ciiXml(doc, einvoice::Profile::En16931)));
        if (doc.buyer.reference.empty())
            continue;
        EXPECT_EQ(einvoice::missingFor(doc, einvoice::Profile::XRechnung), std::vector<std::string>{}) << n;
        ASSERT_TRUE(writeFile(dir.filePath(QString("%1-xrechnung.xml").arg(n)),
                              einvoice::ciiXml(doc, einvoice::Profile::XRechnung)));
        ++xrechnung;
    }
    const ToolRun run = runEinvoiceCheck(dir.path());
    EXPECT_EQ(run.exitCode, 0) << run.out;
    const std::string summary = "check-einvoice: " + std::to_string(kDocuments + xrechnung) + " files (" +
                                std::to_string(xrechnung) +
                                " with XRechnung rules): schema 0, EN 16931 0, "
                                "XRechnung 0 failures";
    EXPECT_NE(run.out.find(summary), std::string::npos) << run.out;
}

} // namespace
