#include "plan.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  size_t e = s.find_last_not_of(" \t\r\n");
  return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// A quoted name loses its quotes; a bare one is taken as it is.
std::string unquote(const std::string& s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
  return s;
}

bool number(const std::string& s, int* out) {
  if (s.empty() || s.size() > 9) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  *out = std::atoi(s.c_str());
  return true;
}

// Splits "word rest" at the first blank.
void split(const std::string& s, std::string* word, std::string* rest) {
  size_t blank = s.find_first_of(" \t");
  *word = s.substr(0, blank);
  *rest = blank == std::string::npos ? "" : trim(s.substr(blank));
}

// "#<digits>" names a control id or a list index.
bool hashNumber(const std::string& s, int* out) { return s.size() > 1 && s[0] == '#' && number(s.substr(1), out); }

bool parseAction(const std::string& text, Action* action, std::string* why) {
  std::string verb, rest;
  split(text, &verb, &rest);
  if (verb == "close" || verb == "wait") {
    action->verb = verb == "close" ? Verb::Close : Verb::Wait;
    if (!rest.empty()) *why = "\"" + verb + "\" takes nothing after it";
    return rest.empty();
  }
  if (verb == "click" || verb == "select") {
    action->verb = verb == "click" ? Verb::Click : Verb::Select;
    if (rest.empty()) {
      *why = "\"" + verb + "\" needs " + (verb == "click" ? "a button's text" : "an entry's text");
      return false;
    }
    if (hashNumber(rest, &action->number)) {
      action->target = Target::Id;
    } else {
      action->name = unquote(rest);
    }
    return true;
  }
  if (verb == "type" || verb == "fill") {
    action->verb = Verb::Type;
    action->target = Target::Position;
    action->number = 1;
    std::string first, after;
    split(rest, &first, &after);
    if (verb == "fill") {
      if (!number(first, &action->number) || action->number < 1) {
        *why = "\"fill\" needs a field number from 1, then the text";
        return false;
      }
      rest = after;
    } else if (hashNumber(first, &action->number)) {
      action->target = Target::Id;
      rest = after;
    }
    action->text = unquote(rest);
    return true;
  }
  *why = "unknown action \"" + verb + "\" (type, fill, select, click, close, wait)";
  return false;
}

}  // namespace

bool readPlan(const char* path, std::vector<Step>* plan, std::string* error) {
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    *error = std::string(path) + ": cannot be read";
    return false;
  }
  char buffer[4096];
  int line = 0;
  bool ok = true;
  while (ok && std::fgets(buffer, sizeof buffer, file)) {
    ++line;
    std::string text = trim(buffer);
    if (line == 1 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text = trim(text.substr(3));
    if (text.empty() || text[0] == '#') continue;
    std::string why;
    size_t bar = text.find(" | ");
    Step step{line, bar == std::string::npos ? "" : unquote(trim(text.substr(0, bar))), {}};
    if (bar == std::string::npos || step.caption.empty()) why = "expected \"<window title> | <action>; ...\"";
    std::string rest = bar == std::string::npos ? "" : text.substr(bar + 3);
    size_t start = 0;
    while (why.empty() && start <= rest.size()) {
      size_t semi = rest.find(';', start);
      std::string piece = trim(rest.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
      Action action;
      if (!piece.empty() && parseAction(piece, &action, &why)) step.actions.push_back(action);
      if (semi == std::string::npos) break;
      start = semi + 1;
    }
    if (why.empty() && step.actions.empty()) why = "the step has no action";
    if (!why.empty()) {
      *error = std::string(path) + ", line " + std::to_string(line) + ": " + why;
      ok = false;
    }
    plan->push_back(step);
  }
  std::fclose(file);
  return ok;
}
