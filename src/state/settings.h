#pragma once
// The settings record: letterhead and footer texts, text sizes, tax number and rate, the gross-prices
// flag and the printing font face. Read from Option.ini at start, edited in the options window.

#include <array>
#include <string>

using FooterLines = std::array<std::string, 5>;

struct Settings {
    std::string logoLine1;
    std::string logoLine2;
    int logoSize = 0;
    std::string companyAddress;
    int companyAddressSize = 0;
    int customerAddressSize = 0;
    int invoiceTextSize = 0;
    int otherTextSize = 0;
    FooterLines footerLines1;
    FooterLines footerLines2;
    FooterLines footerLines3;
    FooterLines footerLines4;
    std::string taxNumber;
    /// The rate as typed; the invoice printout reads its leading whole number.
    std::string taxRate;
    /// 1 = article prices include tax; anything else means net prices.
    int pricesGross = 0;
    std::string fontName;
};

/// The one settings record of the program.
Settings& settings();
/// Back to the state at start: every text empty, every number 0.
void resetSettings();
/// The values used when there is no Option.ini (fontName included).
Settings defaultSettings();
