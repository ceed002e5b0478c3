// A tiny HTTP server on 127.0.0.1 for one test: it answers every request with the reply it
// was given, or, when silent, accepts the connection and never answers.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class HttpTestServer {
 public:
  // `status` 0 makes a silent server.
  explicit HttpTestServer(int status, std::string body = "") : status_(status), body_(body) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 8);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~HttpTestServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }

  int Port() const { return port_; }
  std::string Url(const std::string& path = "/") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  // The request lines received, such as "GET /version HTTP/1.1".
  std::vector<std::string> Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    std::vector<int> held;
    while (!stop_) {
      pollfd wait{listener_, POLLIN, 0};
      if (::poll(&wait, 1, 20) <= 0) continue;
      const int connection = ::accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      const std::string request = ReadRequest(connection);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request.substr(0, request.find("\r\n")));
      }
      if (status_ == 0) {
        held.push_back(connection);
        continue;
      }
      const std::string reply = "HTTP/1.1 " + std::to_string(status_) + " X\r\nContent-Length: " +
                                std::to_string(body_.size()) +
                                "\r\nConnection: close\r\n\r\n" + body_;
      for (std::size_t sent = 0; sent < reply.size();) {
        const ssize_t n = ::send(connection, reply.data() + sent, reply.size() - sent, 0);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(connection);
    }
    for (int connection : held) ::close(connection);
  }

  static std::string ReadRequest(int connection) {
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      pollfd wait{connection, POLLIN, 0};
      if (::poll(&wait, 1, 30000) <= 0) break;  // a client on a busy machine may be slow
      const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    return request;
  }

  int status_;
  std::string body_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};
