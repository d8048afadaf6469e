// Turns the game's snapshot into JSON.
#include "state_dump.h"

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

}  // namespace

std::string dumpState(const GameSnapshot& s, const DesktopRecordsWriter& desktop) {
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
  if (desktop) desktop(out);
  out.field("assertionReports", s.assertionReports).endObject();
  return out.text();
}
