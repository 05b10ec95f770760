#pragma once
// The item files: one text file per invoice in the folder "Rechnungen", named by its number.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

/// The folder of the item files.
inline constexpr std::string_view kItemFolder = "Rechnungen";

/// Whether a number as the register holds it names an item file: an optional "-" and digits, nothing
/// else, so that the name cannot lead out of the folder of the item files.
bool isItemFileNumber(std::string_view number);

/// The program file name of an invoice's item file: "Rechnungen\" + number + ".txt".
std::string itemFileName(std::string_view number);
/// The same in another folder of documents ("Angebote\" + number + ".txt").
std::string itemFileName(std::string_view folder, std::string_view number);

/// Writes the item file of invoice invoiceCounter (customer address, one line per invoice line, the
/// total; CR, LF and NUL in a text become blanks), creating the folder when missing. The file appears, or
/// replaces an older one of that number, in one rename; false when it could not be written.
bool writeItemFile();
/// The same for document `number` in folder: the offers keep theirs in a folder of their own.
bool writeItemFile(std::string_view folder, std::int32_t number);

/// The customer's address as the invoice's item file keeps it (salutation, name, addition, street,
/// town); empty texts for a number that names no item file and for lines the file lacks.
std::array<std::string, 5> itemFileAddress(std::string_view number);
