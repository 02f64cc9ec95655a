#include "codecs/tprojectnames.h"

#include <set>

#include "codecs/tqvfilename.h"

std::string filecaption(int number, std::string_view path) {
  return "Window " + std::to_string(number) + " [" + std::string(path) + "]";
}

bool isabsolutepath(std::string_view path) {
  return !path.empty() && path.front() == '/';
}

std::optional<std::string> captionpath(std::string_view caption) {
  const auto open = caption.find(" [");
  if (open == std::string_view::npos || caption.size() < open + 3 || caption.back() != ']')
    return std::nullopt;
  std::string path(caption.substr(open + 2, caption.size() - open - 3));
  if (!isabsolutepath(path)) return std::nullopt;
  return path;
}

std::string projectbase(std::string_view name) {
  const std::string ext = fileext(name);
  return std::string(name.substr(0, name.size() - ext.size()));
}

namespace {

// The number k when path is base, then k in digits without a leading 0, then
// the extension; 0 otherwise.
int numberafterbase(const std::string& path, const std::string& base, int count) {
  const auto at = path.find(base);
  if (base.empty() || at == std::string::npos) return 0;
  const std::size_t start = at + base.size();
  const std::string ext = fileext(path);
  if (ext.empty()) return 0;
  const std::size_t dot = path.size() - ext.size();
  if (dot <= start) return 0;
  const std::string digits = path.substr(start, dot - start);
  if (digits.front() < '1' || digits.front() > '9') return 0;
  long k = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    k = k * 10 + (c - '0');
    if (k > count) return 0;
  }
  return static_cast<int>(k);
}

}  // namespace

tprojectplan planproject(std::string_view projectname, const std::vector<std::string>& paths) {
  const std::string base = projectbase(projectname);
  const int n = static_cast<int>(paths.size());
  tprojectplan plan;
  plan.number.assign(paths.size(), 0);
  plan.path = paths;
  plan.window.assign(paths.size(), -1);

  // Windows already written under this project's names keep their numbers.
  for (int i = 0; i < n; ++i) {
    const int k = paths[i].empty() ? 0 : numberafterbase(paths[i], base, n);
    if (k > 0) plan.window[static_cast<std::size_t>(k - 1)] = i;
  }
  std::vector<bool> placed(paths.size(), false);
  std::set<std::string> used;
  for (int j = 0; j < n; ++j) {
    const int i = plan.window[static_cast<std::size_t>(j)];
    if (i < 0) continue;
    placed[static_cast<std::size_t>(i)] = true;
    plan.number[static_cast<std::size_t>(i)] = j + 1;
    used.insert(paths[static_cast<std::size_t>(i)]);
  }

  auto freeslot = [&plan] {
    for (std::size_t j = 0; j < plan.window.size(); ++j)
      if (plan.window[j] < 0) return static_cast<int>(j);
    return -1;
  };
  auto place = [&](int i, std::string path) {
    const int j = freeslot();
    plan.window[static_cast<std::size_t>(j)] = i;
    plan.number[static_cast<std::size_t>(i)] = j + 1;
    used.insert(path);
    plan.path[static_cast<std::size_t>(i)] = std::move(path);
    placed[static_cast<std::size_t>(i)] = true;
  };
  auto newname = [&] { return base + std::to_string(freeslot() + 1) + ".QVW"; };

  for (int i = 0; i < n; ++i)
    if (paths[static_cast<std::size_t>(i)].empty()) place(i, newname());
  // Two windows naming one file would overwrite each other: the second one
  // gets a file of its own.
  for (int i = 0; i < n; ++i) {
    if (placed[static_cast<std::size_t>(i)]) continue;
    const std::string& p = paths[static_cast<std::size_t>(i)];
    place(i, used.count(p) != 0 ? newname() : p);
  }
  return plan;
}
