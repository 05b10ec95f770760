#include "shell/searchwindow.h"

#include "runtime/listsearch.h"
#include "shell/listcommands.h"
#include "state/shellstate.h"
#include "toolkit/toolkit.h"

#include <string>
#include <string_view>

namespace {

// A search text is never stored, but it is a text field like all others: nothing that would split a
// record gets in.
constexpr std::string_view kRecordBreakers("|\r\n\0", 4);

void searchFor(const std::string& text) {
    if (text.empty())
        return;
    shellState().lastSearch = text;
    const int list = shownList().list;
    const int row = findRowContaining(list, getState(list), text);
    if (row < 0) {
        messageBox("Hinweis!", "Nicht gefunden: " + text, kMessageOk);
        return;
    }
    showRow(list, row);
}

} // namespace

void openSearchWindow() {
    if (windowExists(kSearchWindow)) {
        activateWindow(kSearchWindow);
        return;
    }
    if (!openWindow(kSearchWindow, 0, 0, 310, 44, "Suchen",
                    kWindowCaption | kWindowCloseBox | kWindowCentredOnOwner, kMainWindow))
        return;
    useControlList(kSearchWindow);
    createLabel(kAnonymous, 10, 14, 70, 20, "Suchen nach:");
    createTextField(kFindField, 80, 11, 130, 22, shellState().lastSearch);
    setForbiddenCharacters(kFindField, kRecordBreakers);
    createPushButton(kFindNextButton, 220, 10, 80, 24, "Weitersuchen");
    pressOnEnter(kFindField, kFindNextButton);
    setDialogKeys(kSearchWindow, -1);
    addShortcut(kSearchWindow, kFindAgainKey, "F3");
}

void findNextClicked() {
    searchFor(getText(kFindField));
}

void findAgain() {
    if (shellState().lastSearch.empty()) {
        openSearchWindow();
        return;
    }
    searchFor(shellState().lastSearch);
}

void closeSearchWindow() {
    closeWindow(kSearchWindow);
    activateWindow(kMainWindow);
}
