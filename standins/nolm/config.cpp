#include "config.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "password_field.h"

namespace {

const char* const kFunctionNames[] = {
    "NolmSetBuf", "NolmGetBuf", "NolmGetVer", "NolmCheckDB", "NolmOpen", "NolmClose",
    "NolmLoadSecKey", "NolmDelSecKey", "NolmSecKeyUpdate", "NolmDaysLeft", "NolmDaysLeftA",
    "NolmEnsign", "NolmCheck", "NolmRcpName", "NolmMail", "NolmSetPmode", "NolmSetFmode",
    "NolmCrtFF", "NolmCrtFN", "KeyGenX", "NolmChangePsw", "NolmGetMsgAux", "NolmCheckGetMsg",
    "NolmCrtFFAux", "NolmCrtFNAux", "NolmCrtInfo", "NolmLoadSecKeyCC", "NolmFindFirstRdr",
    "NolmFindNextRdr", "NolmChangePswCC", "NolmSecKeyInfoCC", "KeyGenXCC", "NCCchangePIN",
    "NCCgetFileList", "NCCgetRnd", "card.open", "card.changePIN", "card.list", "card.close"};

enum class Section { kLibrary, kReader, kPlasticCard, kCertificate, kUnknown };

std::string trimmed(const std::string& text) {
  std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

std::string unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

bool parseInteger(const std::string& text, int* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long parsed = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > UINT32_MAX) return false;
  *value = static_cast<int>(parsed);  // 0xFFFFFFFF and the like wrap to negative codes
  return true;
}

bool parseYesNo(const std::string& text, bool* value) {
  if (text == "yes" || text == "true" || text == "on" || text == "1") *value = true;
  else if (text == "no" || text == "false" || text == "off" || text == "0") *value = false;
  else return false;
  return true;
}

// YYYY-MM-DD, or the packed word itself as a number.
bool parseDate(const std::string& text, std::uint16_t* word) {
  int year = 0, month = 0, day = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) == 3) {
    if (year < 1980 || year > 2107 || month < 1 || month > 12 || day < 1 || day > 31)
      return false;
    *word = static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
    return true;
  }
  int raw = 0;
  if (!parseInteger(text, &raw) || raw < 0 || raw > 0xFFFF) return false;
  *word = static_cast<std::uint16_t>(raw);
  return true;
}

bool knownFunction(const std::string& name) {
  for (const char* known : kFunctionNames)
    if (name == known) return true;
  return false;
}

class Parser {
 public:
  Parser(Config* config, std::vector<std::string>* problems)
      : config_(config), problems_(problems) {}

  void line(int number, const std::string& raw) {
    number_ = number;
    std::string text = trimmed(raw);
    if (text.empty() || text[0] == '#' || text[0] == ';') return;
    if (text[0] == '[') {
      if (text.back() != ']') return problem("a section needs a closing ]");
      return section(trimmed(text.substr(1, text.size() - 2)));
    }
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) return problem("expected key = value");
    std::string key = trimmed(text.substr(0, equals));
    std::string value = unquoted(trimmed(text.substr(equals + 1)));
    switch (section_) {
      case Section::kLibrary: return library(key, value);
      case Section::kReader: return reader(key, value);
      case Section::kPlasticCard: return plasticCard(key, value);
      case Section::kCertificate: return certificate(key, value);
      case Section::kUnknown: return;
    }
  }

 private:
  void problem(const std::string& what) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "line %d: ", number_);
    if (problems_) problems_->push_back(prefix + what);
  }

  void section(const std::string& name) {
    if (name == "library") {
      section_ = Section::kLibrary;
    } else if (name == "plastic card") {
      section_ = Section::kPlasticCard;
    } else if (name == "certificate") {
      section_ = Section::kCertificate;
      config_->certificates.emplace_back();
    } else if (name.compare(0, 7, "reader ") == 0 && !trimmed(name.substr(7)).empty()) {
      section_ = Section::kReader;
      config_->readers.emplace_back();
      config_->readers.back().name = trimmed(name.substr(7));
      config_->readers.back().pinField = fieldFromText("1234");
    } else {
      section_ = Section::kUnknown;
      problem("unknown section [" + name + "], its lines are skipped");
    }
  }

  void integer(const std::string& value, int* target) {
    if (!parseInteger(value, target)) problem("not an integer: " + value);
  }

  void yesNo(const std::string& value, bool* target) {
    if (!parseYesNo(value, target)) problem("expected yes or no: " + value);
  }

  void count(const std::string& value, std::optional<int>* target) {
    int parsed = 0;
    if (parseInteger(value, &parsed)) *target = parsed;
    else problem("not an integer: " + value);
  }

  void library(const std::string& key, const std::string& value) {
    if (key == "version") return integer(value, &config_->version);
    if (key == "database") return integer(value, &config_->database);
    if (key == "open") return integer(value, &config_->open);
    if (key == "close") return integer(value, &config_->close);
    if (key == "days.secret") return integer(value, &config_->daysSecret);
    if (key == "days.admin") return integer(value, &config_->daysAdmin);
    if (key.compare(0, 8, "message.") == 0) {
      int code = 0;
      if (!parseInteger(key.substr(8), &code)) return problem("not a code: " + key);
      config_->messages[code] = value;
      return;
    }
    if (key.compare(0, 7, "result.") == 0) return result(key.substr(7), value);
    problem("unknown key " + key);
  }

  void result(const std::string& function, const std::string& value) {
    if (function == "KMGetFuncs") {
      if (value == "null") config_->noCardTable = true;
      else if (value == "table") config_->noCardTable = false;
      else problem("result.KMGetFuncs takes null or table");
      return;
    }
    if (!knownFunction(function)) return problem("unknown function " + function);
    int code = 0;
    if (!parseInteger(value, &code)) return problem("not an integer: " + value);
    config_->results[function] = code;
  }

  void reader(const std::string& key, const std::string& value) {
    Reader& reader = config_->readers.back();
    if (key == "card") return yesNo(value, &reader.cardInserted);
    if (key == "pin") {
      reader.pinField = fieldFromText(value);
      return;
    }
    if (key == "count") return count(value, &reader.reportedCount);
    if (key.compare(0, 4, "key.") == 0 && key.size() > 4) {
      reader.keys.push_back(CardKey{key.substr(4), fieldFromText(value)});
      return;
    }
    problem("unknown key " + key + " in a reader section");
  }

  void plasticCard(const std::string& key, const std::string& value) {
    PlasticCard& card = config_->plasticCard;
    if (key == "card") return yesNo(value, &card.present);
    if (key == "pin") {
      card.pin = value;
      return;
    }
    if (key == "count") return count(value, &card.reportedCount);
    if (key == "key") {
      card.keys.push_back(value);
      return;
    }
    problem("unknown key " + key + " in [plastic card]");
  }

  void certificate(const std::string& key, const std::string& value) {
    CertificateEntry& entry = config_->certificates.back();
    if (key == "id") {
      entry.id = value;
      return;
    }
    if (key == "name") {
      entry.name = value;
      return;
    }
    if (key == "end") {
      if (!parseDate(value, &entry.endDate)) problem("not a date: " + value);
      return;
    }
    if (key == "name-unterminated") return yesNo(value, &entry.nameUnterminated);
    problem("unknown key " + key + " in [certificate]");
  }

  Config* config_;
  std::vector<std::string>* problems_;
  Section section_ = Section::kLibrary;
  int number_ = 0;
};

}  // namespace

Config defaultConfig() { return Config(); }

Config parseConfig(const std::string& text, std::vector<std::string>* problems) {
  Config config = defaultConfig();
  Parser parser(&config, problems);
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    parser.line(++number, line);
    start = end + 1;
  }
  return config;
}
