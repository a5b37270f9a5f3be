#include "token_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Word {
  std::string key;    // empty for a bare word
  std::string value;
};

// Splits a line into bare words and key=value words; a value may be "quoted"
// to hold blanks. '#' outside quotes starts a comment.
bool splitLine(const std::string& line, std::vector<Word>* words, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    Word word;
    std::string text;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
      if (line[i] == '=' && word.key.empty() && !text.empty()) {
        word.key = text;
        text.clear();
        ++i;
        if (i < line.size() && line[i] == '"') {
          const size_t end = line.find('"', i + 1);
          if (end == std::string::npos) {
            *error = "unterminated quote";
            return false;
          }
          text = line.substr(i + 1, end - i - 1);
          i = end + 1;
          break;
        }
        continue;
      }
      text += line[i++];
    }
    word.value = text;
    words->push_back(word);
  }
  return true;
}

bool parseNumber(const std::string& text, CK_ULONG* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
  if (*end != '\0') return false;
  *value = static_cast<CK_ULONG>(number);
  return true;
}

bool parseHex(const std::string& text, std::vector<unsigned char>* bytes) {
  if (text.size() % 2 != 0) return false;
  bytes->clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned int byte = 0;
    if (std::sscanf(text.c_str() + i, "%2x", &byte) != 1) return false;
    bytes->push_back(static_cast<unsigned char>(byte));
  }
  return true;
}

bool readFile(const std::string& path, std::vector<unsigned char>* bytes) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (!in) return false;
  bytes->clear();
  unsigned char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes->insert(bytes->end(), chunk, chunk + got);
  std::fclose(in);
  return true;
}

// One line without its end; false at the end of the file.
bool readLine(std::FILE* in, std::string* line) {
  line->clear();
  int c;
  while ((c = std::fgetc(in)) != EOF && c != '\n') line->push_back(static_cast<char>(c));
  return c != EOF || !line->empty();
}

std::vector<unsigned char> ulongBytes(CK_ULONG value) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(&value);
  return std::vector<unsigned char>(p, p + sizeof value);
}

std::vector<unsigned char> textBytes(const std::string& text) {
  return std::vector<unsigned char>(text.begin(), text.end());
}

bool parseClass(const std::string& text, CK_ULONG* objectClass) {
  static const struct {
    const char* name;
    CK_ULONG value;
  } kClasses[] = {{"data", CKO_DATA},
                  {"certificate", CKO_CERTIFICATE},
                  {"public_key", CKO_PUBLIC_KEY},
                  {"private_key", CKO_PRIVATE_KEY},
                  {"secret_key", CKO_SECRET_KEY}};
  for (const auto& c : kClasses) {
    if (text == c.name) {
      *objectClass = c.value;
      return true;
    }
  }
  return parseNumber(text, objectClass);
}

bool parseBool(const std::string& text, bool* value) {
  if (text == "true" || text == "1") {
    *value = true;
    return true;
  }
  if (text == "false" || text == "0") {
    *value = false;
    return true;
  }
  return false;
}

class Parser {
 public:
  Parser(const std::string& folder, TokenModel* model) : folder_(folder), model_(model) {}

  bool parseLine(const std::vector<Word>& words, std::string* error) {
    const std::string& keyword = words[0].value;
    if (!words[0].key.empty()) return fail(error, "a line starts with a keyword");
    if (keyword == "slot") return parseSlot(words, error);
    if (keyword == "token") return parseToken(words, error);
    if (keyword == "object") return parseObject(words, error);
    if (keyword == "fault") return parseFault(words, error);
    if (keyword == "search_batch") return parseSearchBatch(words, error);
    return fail(error, "unknown keyword " + keyword);
  }

 private:
  static bool fail(std::string* error, const std::string& text) {
    *error = text;
    return false;
  }

  bool parseSlot(const std::vector<Word>& words, std::string* error) {
    TokenSlot slot;
    slot.id = nextSlotId_;
    for (size_t i = 1; i < words.size(); ++i) {
      if (words[i].key == "id") {
        if (!parseNumber(words[i].value, &slot.id)) return fail(error, "bad slot id");
      } else if (words[i].key == "description") {
        slot.description = words[i].value;
      } else {
        return fail(error, "unknown slot setting " + words[i].key + words[i].value);
      }
    }
    nextSlotId_ = slot.id + 1;
    model_->slots.push_back(slot);
    return true;
  }

  bool parseToken(const std::vector<Word>& words, std::string* error) {
    if (model_->slots.empty()) return fail(error, "token before any slot");
    TokenSlot& slot = model_->slots.back();
    if (slot.hasToken) return fail(error, "second token in one slot");
    slot.hasToken = true;
    for (size_t i = 1; i < words.size(); ++i) {
      if (words[i].key == "label") {
        slot.label = words[i].value;
      } else if (words[i].key == "serial") {
        slot.serial = words[i].value;
      } else {
        return fail(error, "unknown token setting " + words[i].key + words[i].value);
      }
    }
    return true;
  }

  bool parseObject(const std::vector<Word>& words, std::string* error) {
    if (model_->slots.empty() || !model_->slots.back().hasToken) return fail(error, "object outside a token");
    TokenObject object;
    object.handle = nextHandle_++;
    object.attributes[CKA_TOKEN] = {CK_TRUE};
    object.attributes[CKA_PRIVATE] = {CK_FALSE};
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string& key = words[i].key;
      const std::string& value = words[i].value;
      CK_ULONG number = 0;
      bool flag = false;
      std::vector<unsigned char> bytes;
      if (key == "class") {
        if (!parseClass(value, &number)) return fail(error, "bad class " + value);
        object.attributes[CKA_CLASS] = ulongBytes(number);
      } else if (key == "key_type") {
        if (!parseNumber(value, &number)) return fail(error, "bad key_type " + value);
        object.attributes[CKA_KEY_TYPE] = ulongBytes(number);
      } else if (key == "token" || key == "private") {
        if (!parseBool(value, &flag)) return fail(error, "bad flag " + value);
        object.attributes[key == "token" ? CKA_TOKEN : CKA_PRIVATE] = {static_cast<unsigned char>(flag ? CK_TRUE : CK_FALSE)};
      } else if (key == "id" || key == "subject" || key == "value") {
        if (!parseHex(value, &bytes)) return fail(error, "bad hex " + value);
        object.attributes[key == "id" ? CKA_ID : key == "subject" ? CKA_SUBJECT : CKA_VALUE] = bytes;
      } else if (key == "value_file") {
        const std::string path = value.empty() || value[0] == '/' ? value : folder_ + value;
        if (!readFile(path, &bytes)) return fail(error, "cannot read " + path);
        object.attributes[CKA_VALUE] = bytes;
      } else if (key == "label") {
        object.attributes[CKA_LABEL] = textBytes(value);
      } else if (key == "application") {
        object.attributes[CKA_APPLICATION] = textBytes(value);
      } else {
        return fail(error, "unknown object setting " + key + value);
      }
    }
    if (!object.has(CKA_CLASS)) return fail(error, "object without class");
    model_->slots.back().objects.push_back(object);
    return true;
  }

  bool parseSearchBatch(const std::vector<Word>& words, std::string* error) {
    if (words.size() != 2 || !words[1].key.empty() || !parseNumber(words[1].value, &model_->searchBatch) ||
        model_->searchBatch == 0) {
      return fail(error, "search_batch needs a number of handles above 0");
    }
    return true;
  }

  bool parseFault(const std::vector<Word>& words, std::string* error) {
    if (words.size() != 4 || !words[1].key.empty() || !words[2].key.empty()) {
      return fail(error, "fault needs: fault <function> <call number or *> <answer>");
    }
    InjectedFault fault;
    fault.function = words[1].value;
    CK_ULONG call = 0;
    if (words[2].value != "*") {
      if (!parseNumber(words[2].value, &call) || call == 0) return fail(error, "bad call number");
    }
    fault.call = call;
    const Word& answer = words[3];
    bool valid;
    if (answer.key.empty() && answer.value == "ok_null") {
      fault.kind = InjectedFault::kOkNullList;
      valid = true;
    } else if (answer.key == "ok_length") {
      fault.kind = InjectedFault::kOkLength;
      valid = parseNumber(answer.value, &fault.value);
    } else if (answer.key == "ok_count") {
      fault.kind = InjectedFault::kOkCount;
      valid = parseNumber(answer.value, &fault.value);
    } else {
      fault.kind = InjectedFault::kReturnValue;
      valid = answer.key.empty() && parseNumber(answer.value, &fault.value);
    }
    if (!valid) return fail(error, "bad fault answer");
    model_->faults.push_back(fault);
    return true;
  }

  std::string folder_;
  TokenModel* model_;
  CK_SLOT_ID nextSlotId_ = 1;
  CK_OBJECT_HANDLE nextHandle_ = 1;
};

}  // namespace

bool TokenObject::isPublic() const {
  auto it = attributes.find(CKA_PRIVATE);
  return it == attributes.end() || it->second.empty() || it->second[0] == CK_FALSE;
}

bool loadTokenModel(const char* path, TokenModel* model, std::string* error) {
  std::FILE* in = std::fopen(path, "r");
  if (!in) {
    *error = std::string("cannot open ") + path;
    return false;
  }
  std::string folder(path);
  const size_t slash = folder.find_last_of("/\\");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);

  Parser parser(folder, model);
  std::string line;
  int lineNumber = 0;
  bool parsed = true;
  while (parsed && readLine(in, &line)) {
    ++lineNumber;
    std::vector<Word> words;
    std::string reason;
    if (!splitLine(line, &words, &reason) || (!words.empty() && !parser.parseLine(words, &reason))) {
      *error = std::string(path) + ":" + std::to_string(lineNumber) + ": " + reason;
      parsed = false;
    }
  }
  std::fclose(in);
  return parsed;
}
