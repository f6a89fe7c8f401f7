#pragma once
// Paths of a world described with Windows separators, resolved on the platform we run on.
#include <string>
#include <string_view>

namespace tavro {

// True when the path contains ":\" or starts with '/' (or a backslash-free drive form "X:/").
bool is_absolute_path(std::string_view path);
// Joins base and a relative part; backslashes in either are taken as separators. An absolute part
// is returned as it stands (separators converted).
std::string join_path(std::string_view base, std::string_view part);
// Converts backslashes to the platform separator.
std::string native_path(std::string_view path);
// The name part of a path (after the last separator of either kind).
std::string file_name_part(std::string_view path);
// The folder part of a path (before the last separator), empty when there is none.
std::string folder_part(std::string_view path);
// When path does not exist but exactly one entry of its folder matches its name without regard to
// letter case, returns that entry's path; otherwise returns path unchanged.
std::string resolve_path_case(const std::string& path);

}  // namespace tavro
