// The library's certificate list, one line at a time.
#pragma once

#include <cstddef>

// The first certificate's line "<id> - <name> "; keeps the id filter (the
// first 2 characters of filterFirst, the first 4 of filterSecond) for the
// lines after it. False, with the reason shown, when the library cannot list.
bool firstCertificateLine(const char* filterFirst, const char* filterSecond, char* line,
                          std::size_t capacity);

// The next certificate's line "<id> - <name> (діє до D/M/YYYY) " (its date
// from the catalogue, so wide), or an empty line when it does not pass the
// filter, is excludedId, or has a blank 4th id character. False at the end of
// the list or when the library cannot list.
bool nextCertificateLine(const char* excludedId, wchar_t* line, std::size_t capacity);
