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

// Which lines of each text a shortest edit script changes (Myers' greedy
// algorithm): *removed for `a`, *added for `b`. Texts too far apart for that
// to stay small are shown as all removed and all added.
void shortestEdits(const std::vector<std::string>& a, const std::vector<std::string>& b, std::vector<char>* removed,
                   std::vector<char>* added) {
  const long n = static_cast<long>(a.size()), m = static_cast<long>(b.size()), offset = n + m + 1;
  const long kMaxSteps = 2000;
  std::vector<long> reach(2 * offset + 1, 0);
  // trace[d][k + d]: how far along `a` diagonal k gets in d steps.
  std::vector<std::vector<long>> trace;
  long d = 0;
  for (bool done = false; !done && d <= kMaxSteps; ++d) {
    for (long k = -d; k <= d && !done; k += 2) {
      long x = (k == -d || (k != d && reach[offset + k - 1] < reach[offset + k + 1])) ? reach[offset + k + 1]
                                                                                      : reach[offset + k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && a[x] == b[y]) ++x, ++y;
      reach[offset + k] = x;
      done = x >= n && y >= m;
    }
    trace.emplace_back(reach.begin() + offset - d, reach.begin() + offset + d + 1);
    if (done) break;
  }
  removed->assign(a.size(), d > kMaxSteps);
  added->assign(b.size(), d > kMaxSteps);
  if (d > kMaxSteps) return;
  // Back from the end: each step came from the diagonal above or beside.
  for (long x = n, y = m; d > 0; --d) {
    const std::vector<long>& previous = trace[d - 1];
    const long k = x - y;
    const bool down = k == -d || (k != d && previous[k - 1 + d - 1] < previous[k + 1 + d - 1]);
    const long fromK = down ? k + 1 : k - 1;
    x = previous[fromK + d - 1];
    y = x - fromK;
    if (down)
      (*added)[y] = 1;
    else
      (*removed)[x] = 1;
  }
}

// Slides each run of changed lines of `text` to where diff -u puts it: an
// equal line above or below lets a run move and join its neighbours; then it
// lines up with a change of the other text if it can, else goes down as far
// as it can. `other` are the other text's changed lines.
void slideRuns(const std::vector<std::string>& text, std::vector<char>* flags, const std::vector<char>& other) {
  std::vector<char>& changed = *flags;
  const long n = static_cast<long>(text.size()), otherSize = static_cast<long>(other.size());
  auto isChanged = [&](long k) { return k >= 0 && k < n && changed[k]; };
  auto otherChanged = [&](long k) { return k >= 0 && k < otherSize && other[k]; };
  // j follows i in the other text: the line there that matches line i.
  long i = 0, j = 0;
  for (;;) {
    while (i < n && !changed[i]) {
      while (otherChanged(j)) ++j;
      ++j, ++i;
    }
    if (i == n) break;
    long start = i;
    while (isChanged(i)) ++i;
    while (otherChanged(j)) ++j;
    long length, lineUp;
    do {
      length = i - start;
      while (start > 0 && text[start - 1] == text[i - 1]) {
        changed[--start] = 1, changed[--i] = 0;
        while (isChanged(start - 1)) --start;
        for (--j; otherChanged(j); --j) {}
      }
      lineUp = otherChanged(j - 1) ? i : n;
      while (i < n && text[start] == text[i]) {
        changed[start++] = 0, changed[i++] = 1;
        while (isChanged(i)) ++i;
        for (++j; otherChanged(j); ++j) lineUp = i;
      }
    } while (length != i - start);
    while (lineUp < i) {
      changed[--start] = 1, changed[--i] = 0;
      for (--j; otherChanged(j); --j) {}
    }
  }
}

// The edit script the changed lines make, in order; within a change what was
// removed comes before what was added.
std::vector<Edit> editsOf(const std::vector<char>& removed, const std::vector<char>& added) {
  std::vector<Edit> edits;
  size_t x = 0, y = 0;
  while (x < removed.size() || y < added.size()) {
    if (x < removed.size() && y < added.size() && !removed[x] && !added[y]) {
      edits.push_back({Kind::Same, x++, y++});
      continue;
    }
    while (x < removed.size() && removed[x]) edits.push_back({Kind::Removed, x++, y});
    while (y < added.size() && added[y]) edits.push_back({Kind::Added, x, y++});
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
  // As diff does, the texts' equal beginnings and ends are set aside but for
  // three lines each, so that no change slides into them.
  size_t head = 0, tail = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  head = head > 3 ? head - 3 : 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  tail = tail > 3 ? tail - 3 : 0;
  const std::vector<std::string> middleA(a.begin() + head, a.end() - tail), middleB(b.begin() + head, b.end() - tail);
  std::vector<char> removed, added;
  shortestEdits(middleA, middleB, &removed, &added);
  slideRuns(middleA, &removed, added);
  slideRuns(middleB, &added, removed);
  removed.insert(removed.begin(), head, 0);
  added.insert(added.begin(), head, 0);
  removed.insert(removed.end(), tail, 0);
  added.insert(added.end(), tail, 0);
  const std::vector<Edit> edits = editsOf(removed, added);
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
