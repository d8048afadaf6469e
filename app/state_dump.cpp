// Turns the game's snapshot and the headless desktop's records into JSON.
#include "state_dump.h"

#include "platform/headless/headless.h"

using json = nlohmann::ordered_json;

namespace {

json playerJson(const GameSnapshot& s) {
  if (!s.player) return nullptr;
  const PlayerSnapshot& p = *s.player;
  return json{{"x", p.x},   {"y", p.y},   {"z", p.z},        {"dx", p.dx},
              {"dy", p.dy}, {"dz", p.dz}, {"state", p.state}};
}

json actorsJson(const GameSnapshot& s) {
  json actors = json::array();
  for (const ActorSnapshot& a : s.actors) {
    actors.push_back(json{{"kind", a.kind},
                          {"state", a.state},
                          {"spriteIndex", a.spriteIndex},
                          {"x", a.x},
                          {"y", a.y},
                          {"z", a.z},
                          {"flags", a.flags}});
  }
  return actors;
}

json boxesJson() {
  json boxes = json::array();
  for (const HeadlessMessageBox& box : headlessMessageBoxes()) {
    const char* answer = box.answer == 1 ? "OK" : box.answer == 2 ? "CANCEL" : "OTHER";
    boxes.push_back(json{{"caption", box.caption},
                         {"text", box.text},
                         {"answer", answer},
                         {"answerId", box.answer},
                         {"time", box.time}});
  }
  return boxes;
}

json soundsJson(uint32_t startTick, uint32_t periodMs) {
  json sounds = json::array();
  for (const HeadlessSound& sound : headlessSounds()) {
    if (sound.stop) continue;
    sounds.push_back(json{{"tick", (sound.time - startTick) / periodMs},
                          {"time", sound.time},
                          {"id", sound.resourceId}});
  }
  return sounds;
}

}  // namespace

json dumpState(const GameSnapshot& s, uint32_t startTick, uint32_t periodMs) {
  return json{
      {"ticks", s.ticksRun},
      {"title", s.title},
      {"view", {{"x", s.viewX}, {"y", s.viewY}}},
      {"anchor", {{"x", s.anchorX}, {"y", s.anchorY}}},
      {"player", playerJson(s)},
      {"style", s.style},
      {"runClock", s.runClock},
      {"slalomRunOn", s.slalomRunOn},
      {"treeSlalomRunOn", s.treeSlalomRunOn},
      {"freestyleRunOn", s.freestyleRunOn},
      {"activeList", actorsJson(s)},
      {"freeRecords", s.freeRecords},
      {"placedCount", s.placedCount},
      {"messageBoxes", boxesJson()},
      {"sounds", soundsJson(startTick, periodMs)},
      {"assertionReports", s.assertionReports},
  };
}
