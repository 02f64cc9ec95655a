#include "codecs/tqvfilename.h"

std::string fileext(std::string_view name) {
  const auto slash = name.find_last_of("/\\");
  const auto dot = name.find_last_of('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  std::string ext(name.substr(dot));
  for (char& c : ext)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return ext;
}

std::string_view kindext(qvkind k) {
  switch (k) {
    case qvkind::window:
      return ".QVW";
    case qvkind::graph:
      return ".QVS";
    case qvkind::project:
      return ".QVP";
  }
  return {};
}

bool isprojectname(std::string_view name) { return fileext(name) == kindext(qvkind::project); }

std::string saveexterror(std::string_view name, qvkind k) {
  if (fileext(name) == kindext(k)) return {};
  return "Filetternavnet svarer ikke til filtypen " + std::string(kindext(k)) +
         "\r- fila lagres ikke.";
}
