#pragma once

#include <string>
#include <vector>

namespace picture {

// True for the eight picture extensions, matched exactly against the text after the
// first "." of the name ("a.b.png" has the extension "b.png"; "x.Png" matches nothing).
bool HasPictureExtension(const std::string& name);

// The pictures of a folder and of its immediate subfolders, in listing order: a
// subfolder's pictures stand where the subfolder stands. `folder` ends in a separator;
// entries are folder + name (+ separator + name).
std::vector<std::string> ScanPictureFolder(const std::string& folder);

}  // namespace picture
