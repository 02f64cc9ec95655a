// Project files and the save plan on arbitrary text: the first line names the
// project, the rest is its file. The lines read back from what is written, and
// the plan gives every window one slot and a file of its own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "codecs/tprojectnames.h"
#include "codecs/tqvcodec.h"
#include "codecs/tqvfilename.h"

namespace {

// A project holds at most this many windows when it is opened.
constexpr std::size_t maxwindows = 100;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A file name from the save dialog holds no line break, and is made
  // absolute before the plan is made.
  const std::size_t cut = bytes.find_first_of("\r\n");
  std::string name(cut == std::string_view::npos ? bytes : bytes.substr(0, cut));
  if (!isabsolutepath(name)) name.insert(0, "/");
  const std::string_view text = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 1);

  const std::vector<std::string> lines = decodeproject(text);
  for (const std::string& l : lines)
    if (l.find_first_of("\r\n") != std::string::npos) std::abort();
  if (decodeproject(encodeproject(lines)) != lines) std::abort();

  // The windows of an opened project, each named by its caption: a line that
  // is no absolute path (an empty one too) gives a window without a file.
  std::vector<std::string> paths;
  for (const std::string& l : lines) {
    if (paths.size() == maxwindows) break;
    paths.push_back(isabsolutepath(l) ? l : std::string());
  }
  const tprojectplan plan = planproject(name, paths);
  const std::size_t n = paths.size();
  if (plan.number.size() != n || plan.path.size() != n || plan.window.size() != n) std::abort();
  std::vector<bool> seen(n, false);
  for (std::size_t j = 0; j < n; ++j) {
    const int i = plan.window[j];
    if (i < 0 || static_cast<std::size_t>(i) >= n || seen[static_cast<std::size_t>(i)]) std::abort();
    seen[static_cast<std::size_t>(i)] = true;
    if (plan.number[static_cast<std::size_t>(i)] != static_cast<int>(j) + 1) std::abort();
  }
  std::multiset<std::string> given(paths.begin(), paths.end());
  std::set<std::string> files;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string& p = plan.path[i];
    // Two windows written to one file would lose one of them.
    if (p.empty() || !files.insert(p).second) std::abort();
    // A window whose file no other window names keeps it.
    if (!paths[i].empty() && given.count(paths[i]) == 1 && p != paths[i]) std::abort();
    if (isabsolutepath(p) && captionpath(filecaption(plan.number[i], p)) != p) std::abort();
  }

  // What the plan writes reads back as the same project, slot by slot.
  std::vector<std::string> written;
  for (int i : plan.window) written.push_back(plan.path[static_cast<std::size_t>(i)]);
  if (decodeproject(encodeproject(written)) != written) std::abort();
  (void)isprojectname(name);
  (void)saveexterror(name, qvkind::project);
  return 0;
}
