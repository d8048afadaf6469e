#include "platform/replay/viewer_strip.h"

std::vector<std::string> stripLines(const StripFacts& facts, int columns) {
  const std::string state = facts.state.empty() ? "" : "  " + facts.state;
  const std::string where = "replay  " + facts.now + " / " + facts.end + "  " + facts.speed + state;
  const std::string keys = facts.keys.empty() ? "" : "(" + facts.keys + ")";
  const std::string shortest = facts.now + "/" + facts.end + " " + facts.speed +
                               (facts.state.empty() ? "" : " " + facts.state);
  auto fits = [columns](const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
      if (static_cast<int>(line.size()) > columns) return false;
    return true;
  };
  std::vector<std::vector<std::string>> forms;
  if (!keys.empty()) {
    forms.push_back({where + "  " + keys});
    forms.push_back({where, keys});
  }
  forms.push_back({where});
  forms.push_back({shortest});
  for (const std::vector<std::string>& form : forms)
    if (fits(form)) return form;
  return {facts.now + (facts.state.empty() ? "" : " " + facts.state)};
}
