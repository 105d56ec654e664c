// A small HTTP server on 127.0.0.1 for the browser tests: it answers every request with an empty
// picture and records the request line, so a test can tell whether a page made the browser load
// or send anything.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessarine::testing {

class HttpRecorder {
 public:
  // Listens on a free port of 127.0.0.1; port() is 0 when no socket could be opened.
  HttpRecorder() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(listener_, 64) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      close(listener_);
      listener_ = -1;
      return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }

  HttpRecorder(const HttpRecorder&) = delete;
  HttpRecorder& operator=(const HttpRecorder&) = delete;

  ~HttpRecorder() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ >= 0) close(listener_);
  }

  int port() const { return port_; }

  // The request lines seen so far ("GET /x HTTP/1.1").
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd waiting{listener_, POLLIN, 0};
      if (poll(&waiting, 1, 50) <= 0) continue;
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0) continue;
      Answer(connection);
      close(connection);
    }
  }

  void Answer(int connection) {
    std::string request;
    char buffer[2048];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
      pollfd readable{connection, POLLIN, 0};
      if (poll(&readable, 1, 2000) <= 0) break;
      const ssize_t n = recv(connection, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request.append(buffer, static_cast<size_t>(n));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.push_back(request.substr(0, request.find("\r\n")));
    }
    // A 1x1 transparent GIF, so that pictures and backgrounds load as they would from a tracker.
    static constexpr unsigned char kGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80,
                                             0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04,
                                             0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01,
                                             0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};
    std::string answer =
        "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nAccess-Control-Allow-Origin: *\r\n"
        "Connection: close\r\nContent-Length: " +
        std::to_string(sizeof kGif) + "\r\n\r\n";
    answer.append(reinterpret_cast<const char*>(kGif), sizeof kGif);
    size_t sent = 0;
    while (sent < answer.size()) {
      const ssize_t n = send(connection, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<size_t>(n);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::vector<std::string> requests_;
};

}  // namespace tessarine::testing
