#pragma once
// "Archiv prüfen" in full: the archive's own check of its files against the checksum list, then what
// the files say against each other and against the invoice list.

#include "archive/archivecheck.h"

/// verifyArchive(), and with the archive in order: each archived XML's invoice number against the
/// number of its name, each <n>.pdf's attached XML against <n>.xml, and the amount of each invoice of
/// the invoice list that has an archived XML against that XML's sum of lines or its total with tax
/// (the list holds the sum of the lines as entered: net, or gross in gross-price mode). The first
/// difference is named, in that order of the comparisons and of the invoice numbers.
ArchiveCheck auditArchive();
