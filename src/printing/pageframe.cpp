#include "printing/pageframe.h"

#include "printing/companydetails.h"
#include "printing/printjob.h"
#include "runtime/conversions.h"
#include "state/companydata.h"
#include "state/invoicestate.h"
#include "state/settings.h"

// The user's own texts are shortened where they would leave the printable area; the date and the
// numbers the program writes are printed whole.
void drawLetterhead() {
    const Settings& s = settings();
    const InvoiceState& invoice = invoiceState();

    selectTextSize(s.logoSize, false);
    int step = lineStep(s.logoSize, 2);
    placeTextInArea(25, 10, s.logoLine1);
    placeTextInArea(25, static_cast<float>(step + 10.0), s.logoLine2);

    selectTextSize(s.companyAddressSize, false);
    placeTextInArea(25, 40, s.companyAddress);

    selectTextSize(s.customerAddressSize, false);
    step = lineStep(s.customerAddressSize, 2);
    placeTextInArea(25, 45, invoice.customerSalutation);
    placeTextInArea(25, static_cast<float>(step + 45.0), invoice.customerFullName);
    placeTextInArea(25, static_cast<float>(step * 2.0 + 45.0), invoice.customerAddition);
    placeTextInArea(25, static_cast<float>(step * 3.0 + 45.0), invoice.customerStreet);
    placeTextInArea(25, static_cast<float>(step * 4.0 + 45.0), invoice.customerTown);

    selectTextSize(s.otherTextSize, false);
    placeText(145, 45, "St.-Nr.:");
    placeTextInArea(160, 45, taxNumberOnPaper());

    selectTextSize(s.otherTextSize, false);
    step = lineStep(s.otherTextSize, 2);
    placeText(175, 70, "Datum:");
    placeText(185, 70, formatDate("%dd.%mm.%yyyy", issueDateOrNow(invoice)));
    placeText(175, static_cast<float>(step + 70.0), "Kd-Nr.:");
    placeText(185, static_cast<float>(step + 70.0), invoice.customerNumberText);
    if (companyData().present)
        drawCompanyLetterheadLines();
}

void drawFooter() {
    const Settings& s = settings();
    selectTextSize(s.otherTextSize, false);
    const int step = lineStep(s.otherTextSize, 2);
    for (int n = 0; n < 5; ++n) {
        // The footer blocks are written line by line across the page.
        const auto y = static_cast<float>(n * step + 250.0);
        placeTextInArea(25, y, s.footerLines1[n]);
        placeTextInArea(65, y, s.footerLines2[n]);
        placeTextInArea(110, y, s.footerLines3[n]);
        placeTextInArea(160, y, s.footerLines4[n]);
    }
}
