// The library's own result codes and their texts.
#pragma once

#include <string>

enum NolmCode {
  kWrongPassword = 101,
  kKeyFileMissing = 102,
  kKeyFileDamaged = 103,
  kKeyFileNotWritten = 104,
  kReaderMissing = 105,
  kNoCardInReader = 106,
  kCardKeyMissing = 107,
  kWrongCardPin = 108,
  kCardFull = 109,
  kNoCertificates = 110,
  kNoMoreCertificates = 111,
  kNoMoreReaders = 112,
  kBadArgument = 113,
  kDatabaseDamaged = 120,
};

// Result codes of the card function table (the PKCS#11 values).
enum CardCode {
  kCardBadArguments = 7,
  kCardPinIncorrect = 160,
  kCardPinLengthRange = 162,
  kCardNotOpen = 179,
  kCardNotPresent = 224,
};

// The built-in text for a code: ours, or "Nolm warning %d" for 1..70 and
// "Nolm error %d" for any other code.
std::string builtinMessage(int code);
