#include "payments/receivables.h"

namespace {
Receivables theReceivables;
}

Receivables& receivables() {
    return theReceivables;
}

void resetReceivables() {
    theReceivables = Receivables{};
}

std::vector<std::string_view> loadReceivables() {
    std::vector<std::string_view> partly;
    for (RecordFile* file : {&theReceivables.payments, &theReceivables.terms, &theReceivables.dunning,
                             &theReceivables.recurring}) {
        if (!loadRecordFile(*file))
            partly.push_back(file->name);
    }
    return partly;
}
