// The plug-in's own failure codes, beside the library's and the cards'
// result codes and Windows error codes. Kept apart from both by their range.
#pragma once

constexpr int kCodeRefusedText = 9001;  // a text the target code page cannot hold
constexpr int kCodeTooLong = 9002;      // a text longer than the plug-in can pass on
