// Reads a picture file whole for the icon preview.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The contents of a file: a counted sequence of bytes; empty and absent are
// the same.
using ByteSet = std::vector<uint8_t>;

// The whole contents of the file at path, read with one request. Empty when
// the path is empty, the file cannot be opened for reading while others may
// only read it (missing, a folder, no access, open elsewhere for writing),
// its size cannot be had or is 0 or 2 GB and more, the read buffer cannot be
// allocated or the read fails. A read that brings fewer bytes than the size
// gives those bytes. Reports nothing; the file is closed on every path.
ByteSet ReadWholeFile(const std::string& path);
