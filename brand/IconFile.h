#pragma once
// An icon file (.ico) as a program carries it: each image a resource of its own (RT_ICON, ids
// counted from 1), and the group directory (RT_GROUP_ICON) that lists them, as the resource
// compiler writes them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brand {

struct IconResources {
    std::vector<std::string> images; // the image of id i + 1 at index i
    std::string group;               // the group directory
};

// The resources of the icon file `file`; nothing when it is no icon file or an image lies
// outside it.
std::optional<IconResources> ReadIcon(std::string_view file);

// The image ids the group directory `group` lists; empty when it is none.
std::vector<unsigned> IconIds(std::string_view group);

} // namespace brand
