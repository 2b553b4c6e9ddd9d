#pragma once
// Resource kinds by the start of a file name, and the listing of the bin folder.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace builder {

// The kinds in placement order: every build places and appends them in this order.
enum class ResourceKind { Picture, Gif, Number, Font, Wav, Cursor };
inline constexpr std::array<ResourceKind, 6> kPlacementOrder{
    ResourceKind::Picture, ResourceKind::Gif, ResourceKind::Number,
    ResourceKind::Font,    ResourceKind::Wav, ResourceKind::Cursor};

inline constexpr const char* kBootloaderPrefix = "Bootloader";

// "Picture", "Gif", ... : the case-sensitive prefix that marks a kind.
const char* PrefixOf(ResourceKind kind);

// True when `name` begins with the kind's prefix.
bool IsOfKind(const std::string& name, ResourceKind kind);

// The kind of a name, or nothing for names that take no part in a build.
std::optional<ResourceKind> KindOf(const std::string& name);

// A folder entry is a resource file when the text after its first "." is exactly "bin"
// ("Picture-1.bin" yes; "Picture-1.BIN", "a.b.bin" and names without a dot no).
bool IsBinFileName(const std::string& name);

// The resource files of a folder in listing order (names only, no folders).
std::vector<std::string> ListBinFolder(const std::string& folder);

// The folder with the platform's separator at its end, as the resource paths need it.
std::string WithTrailingSeparator(std::string folder);

}  // namespace builder
