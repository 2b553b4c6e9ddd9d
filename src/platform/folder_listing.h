#pragma once
// Folder listings in the order a Windows (NTFS) listing gives: names compared after
// folding to upper case, so results do not depend on the file system.

#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
  std::string name;  // bare name, UTF-8
  bool is_folder = false;
};

// Every entry of the folder (files and folders, "." and ".." left out), sorted. An
// unreadable folder gives an empty list.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// Orders names as the listing does ("a_b" after "aZ").
bool ListingOrderLess(const std::string& a, const std::string& b);

}  // namespace platform
