#pragma once
// A list as a CSV file that German spreadsheet programs open directly: UTF-8 with a byte-order mark,
// ";" between the fields, CR LF after every line, one header line with the column titles, then one
// line per row. Only the columns the list shows are written.

#include <string>
#include <string_view>
#include <vector>

/// The field as written: a text beginning with "=", "+", "-", "@", tab or CR (not a number such as
/// "-12,50") gets a leading "'", so that no spreadsheet runs it as a formula; then quoted with '"'
/// (inner quotes doubled) when it holds ";", ",", '"', CR or LF or begins or ends with a blank, else as
/// it is. Windows-1252 in, Windows-1252 out.
std::string csvField(std::string_view cell);

/// Writes list `number` to the file at path (a path of the file system, as the file dialog gives
/// it) through the atomic replacement. With sumColumns, a last line holds "Summe:" in the first
/// column and the sum of each of those columns' amounts in its own (empty once a sum leaves the range
/// of amounts). False when it could not be written; an old file stays as it was.
bool exportListCsv(int number, const std::string& path, const std::vector<int>& sumColumns = {});
