#pragma once
// The item files: one text file per invoice in the folder "Rechnungen", named by its number.

#include <string>
#include <string_view>

/// The folder of the item files.
inline constexpr std::string_view kItemFolder = "Rechnungen";

/// The program file name of an invoice's item file: "Rechnungen\" + number + ".txt".
std::string itemFileName(std::string_view number);

/// Writes the item file of invoice invoiceCounter (customer address, one line per invoice line, the
/// total), creating the folder when missing. The file appears, or replaces an older one of that
/// number, in one rename; false when it could not be written.
bool writeItemFile();
