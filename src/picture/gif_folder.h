#pragma once
// The GIF list of the GIF window: the GIFs of the chosen file's folder, and which entry
// the choice selects.

#include <string>
#include <vector>

namespace picture {

// True when the text after the first "." of the name is exactly "gif" or "GIF".
bool HasGifExtension(const std::string& name);

// Bare names of the GIFs in the folder (subfolders are not entered, names beginning
// with "." are left out), in listing order.
std::vector<std::string> ScanGifFolder(const std::string& folder);

// The entry "Input Picture" selects for the chosen path: the last entry equal to the
// path's bare name cut to 129 characters, else entry 0.
int SelectedGifEntry(const std::vector<std::string>& entries, const std::string& chosen_path);

}  // namespace picture
