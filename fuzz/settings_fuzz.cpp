// Option.ini as anyone may have left it: 31 lines without keys, read into the settings. What is read
// and saved again reads back the same.

#include "fuzzsupport.h"

#include "settings/settingsfile.h"
#include "state/settings.h"

#include <cstdlib>

namespace {

bool sameSettings(const Settings& a, const Settings& b) {
    return a.logoLine1 == b.logoLine1 && a.logoLine2 == b.logoLine2 && a.logoSize == b.logoSize &&
           a.companyAddress == b.companyAddress && a.companyAddressSize == b.companyAddressSize &&
           a.customerAddressSize == b.customerAddressSize && a.invoiceTextSize == b.invoiceTextSize &&
           a.otherTextSize == b.otherTextSize && a.footerLines1 == b.footerLines1 &&
           a.footerLines2 == b.footerLines2 && a.footerLines3 == b.footerLines3 &&
           a.footerLines4 == b.footerLines4 && a.taxNumber == b.taxNumber && a.taxRate == b.taxRate &&
           a.pricesGross == b.pricesGross && a.fontName == b.fontName;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzing(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeInput("Option.ini", data, size);
    resetSettings();
    loadSettings();
    const Settings first = settings();
    if (!saveSettings())
        std::abort();
    resetSettings();
    loadSettings();
    if (!sameSettings(settings(), first))
        std::abort();
    return 0;
}
