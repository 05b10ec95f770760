#include "settings/optionswindow.h"

#include "runtime/numbers.h"
#include "settings/settingsfile.h"
#include "state/settings.h"
#include "state/taxrate.h"
#include "toolkit/toolkit.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr int kLastSliderPosition = 3;

/// A slider position p stands for the size base + p.
struct SizeSlider {
    int control;
    int base;
    int Settings::*size;
};

constexpr std::array kSizeSliders = {
    SizeSlider{kLogoSizeSlider, 18, &Settings::logoSize},
    SizeSlider{kCompanyAddressSizeSlider, 6, &Settings::companyAddressSize},
    SizeSlider{kCustomerAddressSizeSlider, 10, &Settings::customerAddressSize},
    SizeSlider{kInvoiceTextSizeSlider, 8, &Settings::invoiceTextSize},
    SizeSlider{kOtherTextSizeSlider, 7, &Settings::otherTextSize},
};

/// Footer block k (1 to 4) lives in text area kFooterArea1 + k - 1.
struct FooterArea {
    int control;
    FooterLines Settings::*lines;
};

constexpr std::array kFooterAreas = {
    FooterArea{kFooterArea1, &Settings::footerLines1},
    FooterArea{kFooterArea1 + 1, &Settings::footerLines2},
    FooterArea{kFooterArea1 + 2, &Settings::footerLines3},
    FooterArea{kFooterArea1 + 3, &Settings::footerLines4},
};

void createSizeSlider(int control, int x, int y, int width) {
    createSlider(control, x, y, width, 20, 0, kLastSliderPosition, kSliderTicks);
}

void createCaption(int control, int x, int y, int width, std::string_view text) {
    createTextField(control, x, y, width, 20, text, kTextFieldReadOnly);
}

// Creation order is also the order in which Tab moves the focus.
void createControls() {
    createTextField(kLogoLine1Field, 30, 30, 200, 20, "");
    createTextField(kLogoLine2Field, 30, 50, 200, 20, "");
    createCaption(kLogoCaption, 30, 10, 200, "Firmenlogo f\xFCr Briefkopf");
    createSizeSlider(kLogoSizeSlider, 60, 75, 150);
    createTextField(kCompanyAddressField, 300, 30, 210, 20, "");
    createCaption(kCompanyAddressCaption, 300, 10, 210, "Eigene Firmenanschrift");
    createSizeSlider(kCompanyAddressSizeSlider, 300, 60, 210);
    createCaption(kCustomerAddressSizeCaption, 30, 130, 200,
                  "Gr\xF6\xDF"
                  "e der Kundenanschrift");
    createSizeSlider(kCustomerAddressSizeSlider, 30, 160, 200);
    createCaption(kInvoiceTextSizeCaption, 300, 110, 210,
                  "Gr\xF6\xDF"
                  "e des Rechnungstext");
    createSizeSlider(kInvoiceTextSizeSlider, 300, 140, 210);
    createCaption(kOtherTextSizeCaption, 300, 180, 210,
                  "Gr\xF6\xDF"
                  "e sonstiger Texte");
    createSizeSlider(kOtherTextSizeSlider, 300, 210, 210);
    for (int k = 0; k < 4; ++k)
        createTextArea(kFooterAreas[k].control, 20 + 150 * k, 280, 120, 80);
    for (int k = 0; k < 4; ++k)
        createLabel(kAnonymous, 20 + 150 * k, 260, 120, 20, "Fu\xDFtext " + std::to_string(k + 1));
    createLabel(kAnonymous, 20, 370, 120, 20, "Steuernummer");
    createTextField(kTaxNumberField, 20, 390, 120, 20, "");
    createLabel(kAnonymous, 160, 370, 80, 20, "Steuersatz %");
    createTextField(kTaxRateField, 160, 390, 40, 20, "");
    createLabel(kAnonymous, 250, 390, 100, 20, "Preise sind Brutto");
    createCheckBox(kPricesGrossBox, 350, 390, 20, 20, "");
    createPushButton(kSaveOptionsButton, 40, 450, 200, 30, "Speichern der Optionen");
}

// The five lines go in as one text: an empty area and an area holding one empty line look the same,
// so inserting line by line would lose empty lines at the top of a block.
std::string areaText(const FooterLines& lines) {
    std::string text = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += '\n' + lines[i];
    return text;
}

void fillControls(const Settings& s) {
    setText(kLogoLine1Field, s.logoLine1);
    setText(kLogoLine2Field, s.logoLine2);
    setText(kCompanyAddressField, s.companyAddress);
    setText(kTaxNumberField, s.taxNumber);
    setText(kTaxRateField, s.taxRate);
    // A size outside the slider's four values puts the slider at the nearer end.
    for (const SizeSlider& slider : kSizeSliders)
        setState(slider.control, std::clamp(s.*slider.size - slider.base, 0, kLastSliderPosition));
    setState(kPricesGrossBox, s.pricesGross);
    for (const FooterArea& area : kFooterAreas)
        setText(area.control, areaText(s.*area.lines));
}

void takeControls(Settings& s) {
    s.logoLine1 = getText(kLogoLine1Field);
    s.logoLine2 = getText(kLogoLine2Field);
    s.companyAddress = getText(kCompanyAddressField);
    for (const SizeSlider& slider : kSizeSliders)
        s.*slider.size = getState(slider.control) + slider.base;
    s.taxNumber = getText(kTaxNumberField);
    s.taxRate = getText(kTaxRateField);
    s.pricesGross = getState(kPricesGrossBox);
    // A line the area does not have reads as empty; lines after the fifth are dropped.
    for (const FooterArea& area : kFooterAreas) {
        FooterLines& lines = s.*area.lines;
        for (std::size_t i = 0; i < lines.size(); ++i)
            lines[i] = getCell(area.control, static_cast<int>(i), 0);
    }
}

} // namespace

void openOptionsWindow() {
    if (!openWindow(kDialogWindow, 216, 0, 602, 502, "Optionen", kOptionsWindowFlags))
        return;
    if (!useControlList(kDialogWindow))
        return;
    createControls();
    fillControls(settings());
    setDialogKeys(kDialogWindow, kSaveOptionsButton);
}

void saveOptionsClicked() {
    // A rate the invoice cannot be computed with is refused; the window keeps what was typed.
    if (!isValidTaxRate(getText(kTaxRateField))) {
        messageBox("Fehler!", kTaxRateRefusal, kMessageOk);
        return;
    }
    takeControls(settings());
    // The new values stay in memory for this run even when the file cannot be written.
    if (!saveSettings())
        messageBox("Fehler!", "Die Optionen konnten nicht gespeichert werden!", kMessageOk);
    closeWindow(kDialogWindow);
    activateWindow(kMainWindow);
}
