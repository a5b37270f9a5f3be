// The robot's plan: which window to answer how. See kit/docs/plan-format.md.
#pragma once

#include <string>
#include <vector>

enum class Verb { Type, Select, Click, Close, Wait };

// How an action names its control: by text (a button's text, a list entry),
// by position (the n-th edit field, 1-based) or by control id / list index.
enum class Target { Text, Position, Id };

struct Action {
  Verb verb = Verb::Wait;
  Target target = Target::Text;
  std::string name;  // the text named, for Target::Text
  int number = 0;    // the position, id or index otherwise
  std::string text;  // what `type` types
};

struct Step {
  int line = 0;
  std::string caption;  // "*" matches any window
  std::vector<Action> actions;
};

// readPlan reads the UTF-8 plan at `path` into `plan`. On a line it cannot
// use it returns false with `error` naming the line and what is wrong.
bool readPlan(const char* path, std::vector<Step>* plan, std::string* error);
