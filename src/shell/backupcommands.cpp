#include "shell/backupcommands.h"

#include "backup/backupzip.h"
#include "shell/instancelock.h"
#include "toolkit/toolkit.h"

void backupClicked() {
    const std::string name = "Quillora-Sicherung-" + formatDate("%yyyy-%mm-%dd", currentDate()) + ".zip";
    const std::string path = askSaveFileName(kMainWindow, "Datensicherung", name, "ZIP-Dateien (*.zip)");
    if (path.empty())
        return;
    // What is saved is what the files hold: unsaved changes in the lists are not in the backup.
    const BackupOutcome outcome = writeBackup(path, {kInstanceLockName}, currentDate());
    if (!outcome.written) {
        messageBox("Fehler!",
                   "Die Datensicherung konnte nicht gespeichert werden!" +
                       (outcome.problem.empty() ? std::string() : " " + outcome.problem),
                   kMessageOk);
        return;
    }
    messageBox("Hinweis!", "Datensicherung gespeichert: " + std::to_string(outcome.files) + " Dateien.",
               kMessageOk);
}

void restoreClicked() {
    const std::string zip = askOpenFileName(kMainWindow,
                                            "Datensicherung zur\xFC"
                                            "ckspielen",
                                            "ZIP-Dateien (*.zip)");
    if (zip.empty())
        return;
    const std::string folder = askFolderName(kMainWindow, "Datensicherung zur\xFC"
                                                          "ckspielen: leerer Ordner");
    if (folder.empty())
        return;
    const RestoreOutcome outcome = restoreBackup(zip, folder);
    messageBox(outcome.restored ? "Hinweis!" : "Fehler!", outcome.message, kMessageOk);
}
