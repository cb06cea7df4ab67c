// Expected lines of a payment file, for comparing with the bytes on disk.
#pragma once

#include <map>
#include <string>

// A line of fieldCount comma-separated fields, the given ones filled (numbered
// from 1), ended by CR LF as a text-mode file writes it.
std::string ExpectedLine(int fieldCount, const std::map<int, std::string>& fields);
