// The difference of two texts as `diff -u` shows it, without its two
// header lines: hunks of changed lines with three lines of context.
#pragma once

#include <string>

std::string unifiedDiff(const std::string& before, const std::string& after);
