#include "shell/archivecommand.h"

#include "invoicing/archiveaudit.h"
#include "toolkit/toolkit.h"

void checkArchiveClicked() {
    const ArchiveCheck check = auditArchive();
    messageBox(check.problem == ArchiveProblem::None ? "Hinweis!" : "Fehler!", describeArchiveCheck(check),
               kMessageOk);
}
