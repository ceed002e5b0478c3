// A real FTP server on 127.0.0.1 for the tests that publish files: Debian's pyftpdlib,
// serving a fresh folder to one account until the object is destroyed.
#pragma once

#include <signal.h>
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
