#include "shell/offercommands.h"

#include "datafiles/invoicelines.h"
#include "datafiles/itemfile.h"
#include "datafiles/offerfile.h"
#include "runtime/linefile.h"
#include "runtime/numbers.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>

namespace {

void setSelectedStatus(std::string_view status) {
    const int r = getState(kOfferList);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    // Which invoice settled it is not given up by a click.
    if (invoiceOfStatus(getCell(kOfferList, r, kOfferStatusColumn))) {
        messageBox("Hinweis!", "Das Angebot ist bereits abgerechnet.", kMessageOk);
        return;
    }
    setCell(kOfferList, r, status, kOfferStatusColumn);
    if (!saveOffers())
        messageBox("Fehler!", "Das Angebotsregister konnte nicht ge\xE4ndert werden!", kMessageOk);
}

} // namespace

void deleteSelectedOffer() {
    const int r = getState(kOfferList);
    shellState().selectedRow = r;
    if (r == -1)
        return;
    const std::string number = getCell(kOfferList, r, 0);
    if (messageBox("Hinweis!", "Soll das Angebot Nr. " + number + " wirklich gel\xF6scht werden?",
                   kMessageYesNo) != kAnswerYes)
        return;
    // A number that is no plain integer names no file: it could lead out of the folder.
    if (isItemFileNumber(number)) {
        deleteFile(itemFileName(kOfferFolder, number));
        deleteFile(invoiceLinesName(kOfferFolder, number));
    }
    removeRow(kOfferList, r);
    if (!saveOffers())
        messageBox("Fehler!", "Das Angebotsregister konnte nicht ge\xE4ndert werden!", kMessageOk);
}

void markOfferAccepted() {
    setSelectedStatus(kOfferAccepted);
}

void markOfferRejected() {
    setSelectedStatus(kOfferRejected);
}
