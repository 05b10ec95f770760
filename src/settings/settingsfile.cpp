#include "settings/settingsfile.h"

#include "runtime/atomicsave.h"
#include "runtime/conversions.h"
#include "runtime/linefile.h"
#include "runtime/recordtext.h"
#include "state/settings.h"

#include <string>
#include <string_view>

namespace {

constexpr int kFile = 0;

// Sets the values a run without Option.ini starts with; the texts stay as they are.
void applyDefaults(Settings& s) {
    const Settings d = defaultSettings();
    s.logoSize = d.logoSize;
    s.companyAddressSize = d.companyAddressSize;
    s.customerAddressSize = d.customerAddressSize;
    s.invoiceTextSize = d.invoiceTextSize;
    s.otherTextSize = d.otherTextSize;
    s.footerLines1 = d.footerLines1;
    s.footerLines2 = d.footerLines2;
    s.footerLines3 = d.footerLines3;
    s.footerLines4 = d.footerLines4;
}

// A line past the end of a short file reads as empty, so a missing text is empty and a missing
// number 0.
int readNumber() {
    return parseInt(readLine(kFile));
}

void readFooter(FooterLines& lines) {
    for (std::string& line : lines)
        line = readLine(kFile);
}

void writeFooter(ReplacementFile& file, const FooterLines& lines) {
    for (const std::string& line : lines)
        file.writeLine(lineText(line));
}

} // namespace

bool loadSettings() {
    Settings& s = settings();
    s.fontName = "Arial";
    if (openForReading(kFile, kSettingsName) == 0) {
        applyDefaults(s);
        return true;
    }
    s.logoLine1 = readLine(kFile);
    s.logoLine2 = readLine(kFile);
    s.logoSize = readNumber();
    s.companyAddress = readLine(kFile);
    s.companyAddressSize = readNumber();
    s.customerAddressSize = readNumber();
    s.invoiceTextSize = readNumber();
    s.otherTextSize = readNumber();
    readFooter(s.footerLines1);
    readFooter(s.footerLines2);
    readFooter(s.footerLines3);
    readFooter(s.footerLines4);
    s.taxNumber = readLine(kFile);
    s.taxRate = readLine(kFile);
    s.pricesGross = readNumber();
    const bool whole = fileReadOk(kFile);
    closeFile(kFile);
    if (!whole)
        protectFromReplacement(kSettingsName);
    return whole;
}

bool saveSettings() {
    // A value's place in the file is its only name, so a CR, LF or NUL inside a text would move every
    // later value: each text goes through lineText.
    const Settings& s = settings();
    ReplacementFile file(kSettingsName);
    file.writeLine(lineText(s.logoLine1));
    file.writeLine(lineText(s.logoLine2));
    file.writeLine(formatInt(s.logoSize));
    file.writeLine(lineText(s.companyAddress));
    file.writeLine(formatInt(s.companyAddressSize));
    file.writeLine(formatInt(s.customerAddressSize));
    file.writeLine(formatInt(s.invoiceTextSize));
    file.writeLine(formatInt(s.otherTextSize));
    writeFooter(file, s.footerLines1);
    writeFooter(file, s.footerLines2);
    writeFooter(file, s.footerLines3);
    writeFooter(file, s.footerLines4);
    file.writeLine(lineText(s.taxNumber));
    file.writeLine(lineText(s.taxRate));
    // The last value has no line end.
    file.writeText(formatInt(s.pricesGross));
    return file.commit();
}
