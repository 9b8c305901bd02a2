#include "line_diff.h"

#include <algorithm>

namespace msisim {

namespace {

// The furthest x reached on each diagonal k = x - y, kept for k in [-reach, reach].
class Frontier {
 public:
  explicit Frontier(long reach) : reach_(reach), x_(static_cast<std::size_t>(2 * reach + 1), 0) {}
  long& operator[](long k) { return x_[static_cast<std::size_t>(k + reach_)]; }
  long at(long k) const { return x_[static_cast<std::size_t>(k + reach_)]; }
  // The part a later backtrack at edit distance d needs: diagonals -d-1 .. d+1.
  Frontier Slice(long d) const {
    Frontier slice(d + 1);
    for (long k = -d - 1; k <= d + 1; ++k) slice[k] = at(k);
    return slice;
  }

 private:
  long reach_;
  std::vector<long> x_;
};

// Myers' greedy algorithm on the lines between the common head and tail.
void MiddleScript(const std::vector<std::string>& a, const std::vector<std::string>& b, long aBegin, long aEnd,
                  long bBegin, long bEnd, std::vector<DiffLine>& out) {
  const long n = aEnd - aBegin, m = bEnd - bBegin;
  if (n == 0 || m == 0) {
    for (long i = aBegin; i < aEnd; ++i) out.push_back({'-', a[static_cast<std::size_t>(i)]});
    for (long j = bBegin; j < bEnd; ++j) out.push_back({'+', b[static_cast<std::size_t>(j)]});
    return;
  }
  auto same = [&](long x, long y) {
    return a[static_cast<std::size_t>(aBegin + x)] == b[static_cast<std::size_t>(bBegin + y)];
  };
  const long max = n + m;
  Frontier v(max + 1);
  std::vector<Frontier> trace;
  for (long d = 0; d <= max; ++d) {
    trace.push_back(v.Slice(d));
    bool done = false;
    for (long k = -d; k <= d && !done; k += 2) {
      long x = (k == -d || (k != d && v[k - 1] < v[k + 1])) ? v[k + 1] : v[k - 1] + 1;
      long y = x - k;
      while (x < n && y < m && same(x, y)) ++x, ++y;
      v[k] = x;
      done = x >= n && y >= m;
    }
    if (done) break;
  }
  std::vector<DiffLine> reversed;
  long x = n, y = m;
  for (long d = static_cast<long>(trace.size()) - 1; d >= 0; --d) {
    Frontier& frontier = trace[static_cast<std::size_t>(d)];
    long k = x - y;
    long previousK = (k == -d || (k != d && frontier[k - 1] < frontier[k + 1])) ? k + 1 : k - 1;
    long previousX = frontier[previousK];
    long previousY = previousX - previousK;
    while (x > previousX && y > previousY) {
      reversed.push_back({' ', a[static_cast<std::size_t>(aBegin + x - 1)]});
      --x, --y;
    }
    if (d > 0) {
      if (x == previousX) {
        reversed.push_back({'+', b[static_cast<std::size_t>(bBegin + y - 1)]});
      } else {
        reversed.push_back({'-', a[static_cast<std::size_t>(aBegin + x - 1)]});
      }
    }
    x = previousX, y = previousY;
  }
  out.insert(out.end(), reversed.rbegin(), reversed.rend());
}

std::string Range(std::size_t linesBefore, std::size_t count) {
  std::size_t start = count == 0 ? linesBefore : linesBefore + 1;
  return std::to_string(start) + (count == 1 ? "" : "," + std::to_string(count));
}

}  // namespace

std::vector<DiffLine> DiffLines(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  long head = 0;
  const long aSize = static_cast<long>(before.size()), bSize = static_cast<long>(after.size());
  while (head < aSize && head < bSize &&
         before[static_cast<std::size_t>(head)] == after[static_cast<std::size_t>(head)])
    ++head;
  long tail = 0;
  while (tail < aSize - head && tail < bSize - head &&
         before[static_cast<std::size_t>(aSize - 1 - tail)] == after[static_cast<std::size_t>(bSize - 1 - tail)])
    ++tail;
  std::vector<DiffLine> script;
  for (long i = 0; i < head; ++i) script.push_back({' ', before[static_cast<std::size_t>(i)]});
  MiddleScript(before, after, head, aSize - tail, head, bSize - tail, script);
  for (long i = aSize - tail; i < aSize; ++i) script.push_back({' ', before[static_cast<std::size_t>(i)]});
  return script;
}

std::string UnifiedDiff(const std::vector<std::string>& before, const std::vector<std::string>& after,
                        const std::string& beforeName, const std::string& afterName, std::size_t context) {
  std::vector<DiffLine> script = DiffLines(before, after);
  std::vector<std::size_t> changes;
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (script[i].kind != ' ') changes.push_back(i);
  }
  if (changes.empty()) return {};

  // Lines of each side that come before each entry of the script.
  std::vector<std::size_t> oldLine(script.size() + 1), newLine(script.size() + 1);
  for (std::size_t i = 0; i < script.size(); ++i) {
    oldLine[i + 1] = oldLine[i] + (script[i].kind != '+' ? 1 : 0);
    newLine[i + 1] = newLine[i] + (script[i].kind != '-' ? 1 : 0);
  }

  std::string out = "--- " + beforeName + "\n+++ " + afterName + "\n";
  for (std::size_t c = 0; c < changes.size();) {
    std::size_t begin = changes[c] >= context ? changes[c] - context : 0;
    std::size_t last = changes[c];
    // Changes closer than two contexts share one hunk.
    while (c + 1 < changes.size() && changes[c + 1] - last <= 2 * context + 1) last = changes[++c];
    ++c;
    std::size_t end = std::min(script.size(), last + context + 1);
    out += "@@ -" + Range(oldLine[begin], oldLine[end] - oldLine[begin]) + " +" +
           Range(newLine[begin], newLine[end] - newLine[begin]) + " @@\n";
    for (std::size_t i = begin; i < end; ++i) out += script[i].kind + script[i].text + "\n";
  }
  return out;
}

}  // namespace msisim
