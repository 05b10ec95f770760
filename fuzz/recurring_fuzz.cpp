// Serien.dat as anyone may have left it: the reader keeps every line it took, writing them and reading
// again gives the same lines, a template read back from its writer's line is the same template, and its
// next date always moves forward.

#include "fuzzsupport.h"

#include "payments/receivables.h"
#include "payments/recurring.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    resetReceivables();
    RecordFile& file = receivables().recurring;
    writeInput(file.name, data, size);
    if (!loadRecordFile(file))
        std::abort();
    const std::vector<std::string> read = file.lines;
    if (!saveRecordFile(file) || !loadRecordFile(file) || file.lines != read)
        std::abort();
    for (const std::string& line : file.lines) {
        const std::optional<RecurringTemplate> t = templateOf(line);
        if (!t)
            continue;
        const std::optional<RecurringTemplate> again = templateOf(templateLine(*t));
        if (!again || templateLine(*again) != templateLine(*t) || again->next != t->next ||
            followingDate(t->next, t->interval, t->anchorDay) <= t->next)
            std::abort();
    }
    return 0;
}
