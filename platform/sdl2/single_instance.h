// One copy of the program per user and desktop. The first copy to open a
// window listens on the instance socket; a later one finds its windows
// through FindWindowA, asks it to come to the front, and ends.
#pragma once

#include <string>

struct InstanceRequest {
  int fd = -1;       // the asking program's connection, answered and closed here
  std::string verb;  // find, raise, iconic or restore
  std::string className;
};

// Starts listening (once; later calls do nothing).
void startInstanceServer();
void stopInstanceServer();
// Runs on the window thread: acts on our window of the class and answers.
void handleInstanceRequest(InstanceRequest* request);

// The Backend's view of another running copy.
bool sdlFindForeignWindow(const char* className);
void sdlRaiseForeignWindow(const char* className);
bool sdlIsForeignWindowMinimised(const char* className);
void sdlRestoreForeignWindow(const char* className);
