#pragma once
// The bytes each writer of the program must leave on disk, worked out from the lists and the state
// before the writer runs. The storm compares them with the disk after every step.

#include <cstdint>
#include <string>
#include <string_view>

struct Settings;

/// Daten.dat for the customer and article lists of the main window and this counter.
std::string masterDataBytes(std::int32_t counter);

/// Option.ini for these settings.
std::string settingsBytes(const Settings& s);

/// The item file of the invoice being composed: its address, its lines list and its total.
std::string itemFileBytes();

/// The register line of invoice number for the invoice being composed, dated today, CR LF included.
std::string registerLineBytes(std::int32_t number);

/// Register bytes without the first line whose first field is number.
std::string registerWithout(std::string_view bytes, std::string_view number);
