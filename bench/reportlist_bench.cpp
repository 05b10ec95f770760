// Adding rows to the customer list one addRow at a time and reading every cell back with getCell,
// for 100 000 and 200 000 rows, on the real main window.

#include "shell/mainwindow.h"
#include "timing.h"
#include "toolkit/toolkit.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

double fillAndRead(int rows) {
    resetToolkit();
    buildMainWindow();
    const auto start = std::chrono::steady_clock::now();
    std::string row;
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        row = "Herr\nMustermann" + n + "\nMax\nHinterhaus\nHauptstr. " + n + "\n12345 Musterstadt";
        addRow(kCustomerList, -1, row);
    }
    std::size_t bytes = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 6; ++c)
            bytes += getCell(kCustomerList, r, c).size();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rowCount(kCustomerList) != rows || bytes == 0) {
        std::printf("wrong row count %d\n", rowCount(kCustomerList));
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main() {
    makeToolkitReady();
    fillAndRead(1000); // warm-up
    const int rows = sized(100000, 1000);
    const double t100 = fillAndRead(rows);
    const double t200 = fillAndRead(2 * rows);
    std::printf("%d rows: %.3f s\n%d rows: %.3f s\nratio: %.2f\n", rows, t100, 2 * rows, t200, t200 / t100);
    resetToolkit();
    return 0;
}
