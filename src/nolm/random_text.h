#pragma once

// The random text key generation hands the library: 32 decimal digits and a
// zero byte, from the system's cryptographic generator. False (and 33 zero
// bytes) when the generator fails.
constexpr int kRandomTextSize = 33;
bool makeRandomText(char (&text)[kRandomTextSize]);
