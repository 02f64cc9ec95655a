// What the program decides from a file name: the extension, compared in capitals.
#pragma once

#include <string>
#include <string_view>

enum class qvkind { window = 0, graph = 1, project = 2 };

// The extension from the last "." of the file name (not of a folder), in ASCII
// capitals, with its dot; "" when the name has none.
std::string fileext(std::string_view name);

// ".QVW", ".QVS" or ".QVP".
std::string_view kindext(qvkind k);

// A project is opened by its extension; anything else by its header.
bool isprojectname(std::string_view name);

// "" when `name` may be saved as `k`, otherwise the error the user sees.
std::string saveexterror(std::string_view name, qvkind k);
