// Turns the game's snapshot and the headless desktop's records into JSON.
#include "state_dump.h"

#include "json_writer.h"
#include "platform/headless/headless.h"

namespace {

void writePlayer(const GameSnapshot& s, JsonWriter& out) {
  out.key("player");
  if (!s.player) {
    out.null();
    return;
  }
  const PlayerSnapshot& p = *s.player;
  out.beginObject().field("x", p.x).field("y", p.y).field("z", p.z);
  out.field("dx", p.dx).field("dy", p.dy).field("dz", p.dz).field("state", p.state).endObject();
}

void writeActors(const GameSnapshot& s, JsonWriter& out) {
  out.key("activeList").beginArray();
  for (const ActorSnapshot& a : s.actors) {
    out.beginObject().field("kind", a.kind).field("state", a.state);
    out.field("spriteIndex", a.spriteIndex).field("x", a.x).field("y", a.y).field("z", a.z);
    out.field("flags", a.flags).endObject();
  }
  out.endArray();
}

void writeBoxes(JsonWriter& out) {
  out.key("messageBoxes").beginArray();
  for (const HeadlessMessageBox& box : headlessMessageBoxes()) {
    const char* answer = box.answer == 1 ? "OK" : box.answer == 2 ? "CANCEL" : "OTHER";
    out.beginObject().field("caption", box.caption).field("text", box.text);
    out.field("answer", answer).field("answerId", box.answer).field("time", box.time).endObject();
  }
  out.endArray();
}

void writeSounds(uint32_t startTick, uint32_t periodMs, JsonWriter& out) {
  out.key("sounds").beginArray();
  for (const HeadlessSound& sound : headlessSounds()) {
    if (sound.stop) continue;
    out.beginObject().field("tick", (sound.time - startTick) / periodMs);
    out.field("time", sound.time).field("id", sound.resourceId).endObject();
  }
  out.endArray();
}

}  // namespace

std::string dumpState(const GameSnapshot& s, uint32_t startTick, uint32_t periodMs,
                      DesktopRecords desktop) {
  JsonWriter out;
  out.beginObject().field("ticks", s.ticksRun).field("title", s.title);
  out.key("view").beginObject().field("x", s.viewX).field("y", s.viewY).endObject();
  out.key("anchor").beginObject().field("x", s.anchorX).field("y", s.anchorY).endObject();
  writePlayer(s, out);
  out.field("style", s.style).field("runClock", s.runClock);
  out.field("slalomRunOn", s.slalomRunOn).field("treeSlalomRunOn", s.treeSlalomRunOn);
  out.field("freestyleRunOn", s.freestyleRunOn);
  writeActors(s, out);
  out.field("freeRecords", s.freeRecords).field("placedCount", s.placedCount);
  if (desktop == DesktopRecords::Included) {
    writeBoxes(out);
    writeSounds(startTick, periodMs, out);
  }
  out.field("assertionReports", s.assertionReports).endObject();
  return out.text();
}
