// The line a second start of the program uses to reach the first: a Unix
// socket in a directory only this user can enter ($XDG_RUNTIME_DIR, else
// /tmp/snowvel-<uid>). One request line per connection, one answer line back.
#pragma once

#include <optional>
#include <string>

// The socket's path, or nothing when no private directory can be had (then
// every start runs on its own).
std::optional<std::string> instanceSocketPath();

// Listens on path; a socket left behind by a program that died is replaced.
// -1 when another live program listens there, or on any error.
int listenForInstances(const std::string& path);

// Sends one request line and returns the answer line (without its newline);
// nothing when no program listens or it did not answer within timeoutMs.
// *reached tells whether a program was listening at all.
std::optional<std::string> askInstance(const std::string& path, const std::string& request,
                                       int timeoutMs, bool* reached);

// Reads one line of at most maxBytes from a connected socket, waiting at most
// timeoutMs; nothing on timeout, error or an over-long line.
std::optional<std::string> readRequestLine(int fd, int timeoutMs, size_t maxBytes);
void writeAnswerLine(int fd, const std::string& answer);
