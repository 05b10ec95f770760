#include "shell/archivecommand.h"

#include "archive/archivecheck.h"
#include "toolkit/toolkit.h"

void checkArchiveClicked() {
    const ArchiveCheck check = verifyArchive();
    messageBox(check.problem == ArchiveProblem::None ? "Hinweis!" : "Fehler!", describeArchiveCheck(check),
               kMessageOk);
}
