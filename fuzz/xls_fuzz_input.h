#pragma once
// One fuzz input for the .xls formula reader, shared by the fuzzer and the regression test.
#include <cstdint>
#include <string>

namespace tarn {

// A compound file of 512-byte sectors holding `stream` as its "Workbook" stream. The sector
// table is in sectors 0..fatSectors-1 and the directory right after it; a stream of 4096
// bytes or more follows in regular sectors (with one sector table: from file offset 1536),
// a shorter one lies in the mini stream. Sector table sectors beyond the 109 the header
// lists are listed in one index sector at the end of the file (236 at most).
std::string xlsCompoundFile(const std::string& stream, std::uint32_t fatSectors = 1);

// Reads `bytes` with the .xls formula reader: bytes starting with the compound file
// signature are a whole file, other bytes are the workbook stream of one. Returns what is
// wrong with the outcome, or "" when the bytes were read (every result on the worksheet,
// every date with its text) or refused with an InputError naming the file. Other exceptions
// escape.
std::string xlsFuzzProblem(const std::string& bytes);

}  // namespace tarn
