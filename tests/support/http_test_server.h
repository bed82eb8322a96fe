// The local HTTP server of the tests (http_test_server.py, run by the host's
// Python 3): it serves a folder on a port the system picks. Start() waits
// until it answers; the server is stopped when the object goes, and ends by
// itself after a few minutes whatever happens to the test.
#pragma once
#include <string>

#include "support/temp_dir.h"

namespace testing_support {

class HttpTestServer {
 public:
  // root: the folder served (a Windows path).
  explicit HttpTestServer(std::wstring root);
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;
  ~HttpTestServer();

  // Starts the server; true once it answers.
  bool Start();
  // "http://127.0.0.1:<port>/".
  std::wstring url() const;
  int port() const { return port_; }

  // The HTTP status of a GET of path (e.g. L"__alive"), or 0 without an answer.
  int Get(const std::wstring& path) const;

  // The connections of the ".trickle" and ".stall" files: how many were
  // opened, and how many of them the server has seen closed by the client.
  struct Trickles {
    int opened = 0, closed = 0;
  };
  Trickles trickles() const;

  // The Linux path of a Windows path (Wine maps every drive to a Linux folder).
  static std::string UnixPath(const std::wstring& windowsPath);

 private:
  std::wstring root_;
  TempDir work_;  // the port file and the trickle counts
  int port_ = 0;
};

}  // namespace testing_support
