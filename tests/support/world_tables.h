// Frees the tables the game allocated at start-up, so a test or a soak run
// can start another game in the same process.
#pragma once

namespace testsupport {

// Frees the string cache, sprites, actor pool and placed objects, and leaves
// a blank world.
void freeWorldTables();

}  // namespace testsupport
