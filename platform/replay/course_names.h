// The three courses by their high-score keys, as run files carry them, and
// by the names that kept runs' files, links and the board give them.
#pragma once

#include <string_view>

struct CourseName {
  std::string_view key;
  std::string_view name;
};

inline constexpr CourseName kCourseNames[] = {
    {"SS", "slalom"}, {"GS", "tree-slalom"}, {"FS", "freestyle"}};

// Empty for a key that is no course's.
constexpr std::string_view courseNameOfKey(std::string_view key) {
  for (const CourseName& course : kCourseNames)
    if (course.key == key) return course.name;
  return {};
}

// Empty for a name that is no course's.
constexpr std::string_view courseKeyOfName(std::string_view name) {
  for (const CourseName& course : kCourseNames)
    if (course.name == name) return course.key;
  return {};
}
