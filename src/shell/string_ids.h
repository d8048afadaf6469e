// The texts of the string table, by their resource id.
#pragma once

enum StringId : int {
  STRING_TITLE = 1,
  STRING_PAUSED_TITLE = 2,
  // The status panel's four labels, then the widest text each value takes,
  // then the format each value is written with, all in the panel's order.
  STRING_TIME_LABEL = 3,
  STRING_DISTANCE_LABEL = 4,
  STRING_SPEED_LABEL = 5,
  STRING_STYLE_LABEL = 6,
  STRING_TIME_WIDEST = 7,
  STRING_DISTANCE_WIDEST = 8,
  STRING_SPEED_WIDEST = 9,
  STRING_STYLE_WIDEST = 10,
  STRING_TIME_FORMAT = 11,
  STRING_DISTANCE_FORMAT = 12,
  STRING_SPEED_FORMAT = 13,
  STRING_STYLE_FORMAT = 14,
  STRING_HIGH_SCORES = 15,
  STRING_THATS_YOU = 16,
  STRING_TRY_AGAIN = 17,
};
