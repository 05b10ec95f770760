#pragma once
// What the fuzz targets of the file readers share: a Qt Core application, a fresh temporary folder as
// the current directory, the customer, article and invoice lists as the readers find them (without any
// window), and a way to hand an input to a reader as a file. Nothing here needs a GUI.

#include <cstddef>
#include <cstdint>
#include <string_view>

/// Makes the application, changes into a fresh temporary folder and makes the lists. Call once from
/// LLVMFuzzerInitialize with its arguments: the corpus folders and artifact prefix among them are
/// made absolute first, since libFuzzer reads them after the change.
void prepareFuzzing(int* argc, char*** argv);

/// Writes the input as the file name in the current folder, replacing what was there.
void writeInput(std::string_view name, const std::uint8_t* data, std::size_t size);

/// Empty customer, article and invoice lists, as they are before a start loads them.
void freshLists();
