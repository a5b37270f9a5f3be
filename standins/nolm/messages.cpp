#include "messages.h"

#include <cstdio>

std::string builtinMessage(int code) {
  switch (code) {
    case kWrongPassword: return "Невірний пароль ключа";
    case kKeyFileMissing: return "Файл ключа не знайдено";
    case kKeyFileDamaged: return "Файл ключа пошкоджено";
    case kKeyFileNotWritten: return "Помилка запису файлу ключа";
    case kReaderMissing: return "Зчитувач не знайдено";
    case kNoCardInReader: return "У зчитувачі немає картки";
    case kCardKeyMissing: return "Ключ на картці не знайдено";
    case kWrongCardPin: return "Невірний PIN-код картки";
    case kCardFull: return "На картці немає місця для ключа";
    case kNoCertificates: return "Сертифікати не знайдено";
    case kNoMoreCertificates: return "Більше сертифікатів немає";
    case kNoMoreReaders: return "Більше зчитувачів немає";
    case kBadArgument: return "Невірний аргумент виклику";
    case kDatabaseDamaged: return "Базу даних пошкоджено";
    default: break;
  }
  char text[64];
  std::snprintf(text, sizeof text, code >= 1 && code <= 70 ? "Nolm warning %d" : "Nolm error %d",
                code);
  return text;
}
