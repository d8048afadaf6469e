// The socket a second start uses to reach the first.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "platform/sdl2/instance_channel.h"

namespace {

class InstanceChannel : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/snowvel-channel-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) savedRuntime = old;
    setenv("XDG_RUNTIME_DIR", directory.c_str(), 1);
  }
  void TearDown() override {
    if (savedRuntime.empty())
      unsetenv("XDG_RUNTIME_DIR");
    else
      setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    std::filesystem::remove_all(directory);
  }
  std::string directory;
  std::string savedRuntime;
};

// Answers one request the way the running program does: "<answer> to <line>".
std::thread answerOnce(int listenFd) {
  return std::thread([listenFd] {
    int connection = accept(listenFd, nullptr, nullptr);
    if (connection < 0) return;
    std::optional<std::string> line = readRequestLine(connection, 2000, 64);
    writeAnswerLine(connection, line ? "got " + *line : "nothing");
    close(connection);
  });
}

TEST_F(InstanceChannel, TheSocketLivesInTheRuntimeDirectory) {
  EXPECT_EQ(instanceSocketPath(), directory + "/snowvel.sock");
}

TEST_F(InstanceChannel, ARequestReachesTheListenerAndItsAnswerComesBack) {
  std::string path = *instanceSocketPath();
  int fd = listenForInstances(path);
  ASSERT_GE(fd, 0);
  std::thread server = answerOnce(fd);
  bool reached = false;
  std::optional<std::string> answer = askInstance(path, "find SnowvelMain", 2000, &reached);
  server.join();
  EXPECT_TRUE(reached);
  EXPECT_EQ(answer, std::optional<std::string>("got find SnowvelMain"));
  close(fd);
}

TEST_F(InstanceChannel, NobodyListeningIsNoOtherProgram) {
  bool reached = true;
  EXPECT_FALSE(askInstance(*instanceSocketPath(), "find SnowvelMain", 500, &reached));
  EXPECT_FALSE(reached);
}

TEST_F(InstanceChannel, ALiveListenerKeepsItsSocketAndADeadOnesIsTakenOver) {
  std::string path = *instanceSocketPath();
  int first = listenForInstances(path);
  ASSERT_GE(first, 0);
  EXPECT_EQ(listenForInstances(path), -1) << "the first program is still there";
  close(first);  // it died without cleaning up: the socket file stays
  ASSERT_TRUE(std::filesystem::exists(path));
  int second = listenForInstances(path);
  EXPECT_GE(second, 0);
  close(second);
}

TEST_F(InstanceChannel, AnOverlongOrSilentRequestIsDropped) {
  std::string path = *instanceSocketPath();
  int fd = listenForInstances(path);
  ASSERT_GE(fd, 0);
  std::thread talker([&] {
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    std::string flood(500, 'x');
    send(s, flood.data(), flood.size(), MSG_NOSIGNAL);
    close(s);
  });
  int connection = accept(fd, nullptr, nullptr);
  EXPECT_FALSE(readRequestLine(connection, 1000, 64));
  close(connection);
  talker.join();

  std::thread silent([&] {
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    close(s);
  });
  connection = accept(fd, nullptr, nullptr);
  EXPECT_FALSE(readRequestLine(connection, 1000, 64)) << "closed without a line";
  close(connection);
  silent.join();
  close(fd);
}

}  // namespace
