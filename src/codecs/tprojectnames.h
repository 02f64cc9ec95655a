// Which window file each window of a project is written to, and how a window
// caption names its file. Plain text in, plain text out, so that the naming
// rules can be checked without windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The caption of a window that has a file.
std::string filecaption(int number, std::string_view path);
// The file a caption names: the absolute path between " [" and the closing "]"
// at its end; nothing for "Vindu 3", "Window 3" or a relative name.
std::optional<std::string> captionpath(std::string_view caption);
bool isabsolutepath(std::string_view path);

// A file name without its extension (from the last "." of the file name).
std::string projectbase(std::string_view projectname);

struct tprojectplan {
  // Per window, in list order: its number in the project (slot + 1) and the
  // file it is written to.
  std::vector<int> number;
  std::vector<std::string> path;
  // Per slot: the window written there, in project-file order.
  std::vector<int> window;
};

// paths[i] is the file window i names ("" for none). Windows whose file is
// the base name followed by a number up to the window count keep that number;
// windows without a file get base + number + ".QVW" in the first free slots;
// the others keep their own file in the slots left over.
tprojectplan planproject(std::string_view projectname, const std::vector<std::string>& paths);
