#include "tools/package_check/nearest_name.h"

#include <algorithm>
#include <vector>

#include "core/strings/case_folding.h"

namespace package_check {
namespace {

// Names are short; a longer text (a key line of a megabyte) is compared by its beginning, so that
// the table below stays small.
constexpr std::size_t kComparedLength = 64;

}  // namespace

std::size_t EditDistance(std::wstring_view a, std::wstring_view b) {
  const std::wstring x = strings::FoldCase(a.substr(0, kComparedLength));
  const std::wstring y = strings::FoldCase(b.substr(0, kComparedLength));
  // Optimal string alignment: Levenshtein with a swap of neighbours as one edit.
  std::vector<std::vector<std::size_t>> d(x.size() + 1, std::vector<std::size_t>(y.size() + 1));
  for (std::size_t i = 0; i <= x.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= y.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= x.size(); ++i) {
    for (std::size_t j = 1; j <= y.size(); ++j) {
      const std::size_t cost = x[i - 1] == y[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[x.size()][y.size()];
}

std::wstring NearestName(std::wstring_view name, std::span<const std::wstring_view> known) {
  std::wstring_view nearest;
  std::size_t fewest = 0;
  for (const std::wstring_view candidate : known) {
    const std::size_t edits = EditDistance(name, candidate);
    if (nearest.empty() || edits < fewest) {
      nearest = candidate;
      fewest = edits;
    }
  }
  return std::wstring(nearest);
}

}  // namespace package_check
