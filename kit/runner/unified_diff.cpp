#include "unified_diff.h"

#include <algorithm>
#include <vector>

#include "text.h"

namespace {

enum class Kind { Same, Removed, Added };

struct Edit {
  Kind kind;
  size_t before, after;  // line indexes in each text
};

// A shortest edit script (Myers' greedy algorithm), in order.
std::vector<Edit> shortestEdits(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size()), offset = n + m + 1;
  std::vector<long> reach(2 * offset + 1, 0);
  std::vector<std::vector<long>> history;
  long d = 0;
  for (;; ++d) {
    history.push_back(reach);
    bool done = false;
    for (long k = -d; k <= d && !done; k += 2) {
      long x = (k == -d || (k != d && reach[offset + k - 1] < reach[offset + k + 1])) ? reach[offset + k + 1]
                                                                                      : reach[offset + k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      reach[offset + k] = x;
      done = x >= n && y >= m;
    }
    if (done) break;
  }
  std::vector<Edit> edits;
  long x = n, y = m;
  for (; d > 0; --d) {
    const std::vector<long>& previous = history[d];
    long k = x - y;
    bool down = k == -d || (k != d && previous[offset + k - 1] < previous[offset + k + 1]);
    long startX = down ? previous[offset + k + 1] : previous[offset + k - 1] + 1;
    long startY = startX - k;
    while (x > startX && y > startY) --x, --y, edits.push_back({Kind::Same, size_t(x), size_t(y)});
    if (down)
      --y, edits.push_back({Kind::Added, size_t(x), size_t(y)});
    else
      --x, edits.push_back({Kind::Removed, size_t(x), size_t(y)});
  }
  while (x > 0 && y > 0) --x, --y, edits.push_back({Kind::Same, size_t(x), size_t(y)});
  std::reverse(edits.begin(), edits.end());
  // Within a change, what was removed comes before what was added.
  for (size_t i = 0; i < edits.size();) {
    size_t end = i;
    while (end < edits.size() && edits[end].kind != Kind::Same) ++end;
    std::stable_partition(edits.begin() + i, edits.begin() + end, [](const Edit& e) { return e.kind == Kind::Removed; });
    i = end + 1;
  }
  return edits;
}

std::string range(size_t start, size_t count) {
  if (count == 0) return std::to_string(start) + ",0";
  if (count == 1) return std::to_string(start + 1);
  return std::to_string(start + 1) + "," + std::to_string(count);
}

}  // namespace

std::string unifiedDiff(const std::string& before, const std::string& after) {
  bool beforeEnds = true, afterEnds = true;
  const std::vector<std::string> a = splitLines(before, &beforeEnds), b = splitLines(after, &afterEnds);
  const std::vector<Edit> edits = shortestEdits(a, b);
  const size_t context = 3;
  std::string out;
  for (size_t i = 0; i < edits.size();) {
    if (edits[i].kind == Kind::Same) {
      ++i;
      continue;
    }
    // A hunk: from three lines before this change to three after the last
    // change that lies within six unchanged lines of the one before.
    size_t first = i >= context ? i - context : 0, last = i;
    for (size_t same = 0, j = i; j < edits.size(); ++j) {
      same = edits[j].kind == Kind::Same ? same + 1 : 0;
      if (same == 0) last = j;
      if (same > 2 * context) break;
    }
    size_t end = std::min(edits.size(), last + 1 + context);
    size_t removedCount = 0, addedCount = 0;
    for (size_t j = first; j < end; ++j) {
      removedCount += edits[j].kind != Kind::Added;
      addedCount += edits[j].kind != Kind::Removed;
    }
    out += "@@ -" + range(edits[first].before, removedCount) + " +" + range(edits[first].after, addedCount) + " @@\n";
    for (size_t j = first; j < end; ++j) {
      const Edit& e = edits[j];
      bool fromBefore = e.kind != Kind::Added;
      const std::string& line = fromBefore ? a[e.before] : b[e.after];
      out += (e.kind == Kind::Same ? " " : e.kind == Kind::Removed ? "-" : "+") + line + "\n";
      bool unterminated = fromBefore ? (!beforeEnds && e.before + 1 == a.size()) : (!afterEnds && e.after + 1 == b.size());
      if (e.kind == Kind::Same) unterminated = (!beforeEnds && e.before + 1 == a.size()) || (!afterEnds && e.after + 1 == b.size());
      if (unterminated) out += "\\ No newline at end of file\n";
    }
    i = end;
  }
  return out;
}
