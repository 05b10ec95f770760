#include "shell/perioddialog.h"

#include "toolkit/toolkit.h"

#include <array>
#include <string>

void openPeriodDialog(std::string_view title, const accounting::Period& start, int okButton) {
    const bool withPayments = okButton == kDatevOkButton;
    if (!openWindow(kPeriodWindow, 0, 0, 280, withPayments ? 126 : 100, title,
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    useControlList(kPeriodWindow);
    createLabel(kAnonymous, 10, 13, 50, 20, "von");
    createTextField(kPeriodFromField, 60, 10, 100, 22, formatDate("%dd.%mm.%yyyy", start.from));
    createLabel(kAnonymous, 10, 39, 50, 20, "bis");
    createTextField(kPeriodToField, 60, 36, 100, 22, formatDate("%dd.%mm.%yyyy", start.to));
    int y = 66;
    if (withPayments) {
        createCheckBox(kExportPaymentsBox, 60, y, 210, 20, "Zahlungen exportieren");
        y += 26;
    }
    createPushButton(okButton, 60, y, 90, 26, "OK");
    const std::array order = {kPeriodFromField, kPeriodToField, kExportPaymentsBox, okButton};
    setTabOrder(order);
    setDialogKeys(kPeriodWindow, okButton);
    focusControl(kPeriodFromField);
}

std::optional<accounting::Period> typedPeriod() {
    const std::optional<DateValue> from = parseDate(getText(kPeriodFromField));
    const std::optional<DateValue> to = parseDate(getText(kPeriodToField));
    if (!from || !to) {
        messageBox("Fehler!", "Bitte \"von\" und \"bis\" als Datum in der Form TT.MM.JJJJ eingeben.",
                   kMessageOk);
        return std::nullopt;
    }
    if (*to < *from) {
        messageBox("Fehler!", "\"bis\" liegt vor \"von\".", kMessageOk);
        return std::nullopt;
    }
    return accounting::Period{*from, *to};
}

void closePeriodDialog() {
    closeWindow(kPeriodWindow);
    activateWindow(kMainWindow);
}
