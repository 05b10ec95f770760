#pragma once
// What every fuzz target shares: the program started once, offscreen, in an empty folder of its own,
// so that the readers find their lists; and a way to hand an input to a reader as a file.

#include <cstddef>
#include <cstdint>
#include <string_view>

/// Makes the application offscreen, changes into a fresh temporary folder and starts the program
/// there. Call once from LLVMFuzzerInitialize with its arguments: the corpus folders and artifact
/// prefix among them are made absolute first, since libFuzzer reads them after the change.
void startProgramForFuzzing(int* argc, char*** argv);

/// Writes the input as the file name in the current folder, replacing what was there.
void writeInput(std::string_view name, const std::uint8_t* data, std::size_t size);

/// Empties the customer, article and invoice lists, as they are before a start loads them.
void emptyLists();
