// A pack server for the pack-window tests: a folder "tolvery" of packs and
// its list FaceList.txt, served by the local HTTP test server. Packs come
// from the archives made at build time (pack_fixtures beside the tests).
#pragma once
#include <cstdint>
#include <string>

#include "support/http_test_server.h"
#include "support/temp_dir.h"

namespace testing_support {

class PackSite {
 public:
  PackSite();
  // Starts serving; true once the server answers.
  bool Start() { return server_.Start(); }
  // The server's address ("http://127.0.0.1:<port>/").
  std::wstring url() const { return server_.url(); }
  HttpTestServer& server() { return server_; }

  // Serves a fixture archive under a name; how: "" plainly, ".drop" (the
  // connection drops halfway), ".slow" (ten pieces, 0.2 s apart),
  // ".trickle" (headers that never end) or ".stall" (half of the announced
  // bytes, then nothing: the connection held); see HttpTestServer::trickles.
  void Serve(const std::wstring& name, const std::wstring& fixture, const std::wstring& how = L"");
  void ServeBytes(const std::wstring& name, const std::string& bytes, const std::wstring& how = L"");
  // Serves a fixture archive under a name, followed by zero bytes up to size
  // in all, announcing no length.
  void ServePadded(const std::wstring& name, const std::wstring& fixture, uint64_t size);
  // The list file; text is written in the Chinese code page 936 with CR LF
  // line ends between the lines given.
  void WriteList(const std::wstring& lines);

  // The build's fixture archive of that name.
  static std::wstring Fixture(const std::wstring& name);

 private:
  TempDir dir_;
  std::wstring packs_;  // ...\www\tolvery\ (trailing "\")
  HttpTestServer server_;
};

}  // namespace testing_support
