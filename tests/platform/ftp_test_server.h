// A real FTP server on 127.0.0.1 for the tests that publish files: Debian's pyftpdlib,
// serving a fresh folder to one account until the object is destroyed.  Beside it, a
// server that accepts connections and never says a word.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

class FtpTestServer {
 public:
  FtpTestServer(std::filesystem::path root, std::string user, std::string password)
      : root_(std::move(root)), user_(std::move(user)), password_(std::move(password)) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      const std::string script = QUORVANE_SOURCE_DIR "/scripts/ftp_test_server.py";
      execl("/usr/bin/python3", "python3", script.c_str(), root_.c_str(), user_.c_str(),
            password_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    if (FILE* in = fdopen(out[0], "r")) {
      if (std::fscanf(in, "%d", &port_) != 1) port_ = 0;
      std::fclose(in);
    } else {
      close(out[0]);
    }
  }
  ~FtpTestServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  FtpTestServer(const FtpTestServer&) = delete;
  FtpTestServer& operator=(const FtpTestServer&) = delete;

  int Port() const { return port_; }
  const std::filesystem::path& Root() const { return root_; }

 private:
  std::filesystem::path root_;
  std::string user_, password_;
  pid_t pid_ = -1;
  int port_ = 0;
};

// A socket listening on a free port of 127.0.0.1 that never answers: the connections wait
// in its queue.  Port() is 0 when none could be had.
class SilentServer {
 public:
  SilentServer() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd_, 16) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      return;
    }
    fcntl(fd_, F_SETFL, O_NONBLOCK);
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() { if (fd_ >= 0) close(fd_); }
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;

  int Port() const { return port_; }
  // How many connections were made since the last call.
  int Connections() {
    int count = 0;
    for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count) close(client);
    return count;
  }

 private:
  int fd_;
  int port_ = 0;
};

// A port of 127.0.0.1 on which nothing listens, as a stopped server leaves it.
inline int ClosedPort() { return SilentServer().Port(); }
