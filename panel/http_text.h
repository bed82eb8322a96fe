// A text file fetched over HTTP with WinINet, the way the pack window reads
// the pack list: the caller waits for it, bounded in time (connecting and the
// answer's headers included) and size, and only a success status counts (an
// error page is no list). The fetch runs in a transfer helper (see
// transfer_helper.h) while the caller's windows go on working, and a fetch
// given up ends with its connection closed.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace panel {

inline constexpr size_t kMaxHttpTextBytes = 1 << 20;
inline constexpr unsigned kHttpConnectTimeoutMs = 10000;
inline constexpr unsigned kHttpReceiveTimeoutMs = 15000;
// The whole fetch, however the server trickles.
inline constexpr unsigned kHttpTextDeadlineMs = 30000;

// True for an http:// or https:// address with a host.
bool IsHttpAddress(const std::wstring& url);

// The decoded body of a 2xx answer, or "" when the address is no http(s)
// address, the server can't be reached, answers anything else, sends more
// than kMaxHttpTextBytes, sends nothing, or has not sent it all within
// deadlineMs. Meanwhile this thread's paints, timers, sent and posted
// messages go on, its mouse and keyboard input stays queued for afterwards;
// givenUp, asked after each round of messages, ends the fetch early with "".
std::wstring FetchHttpText(const std::wstring& url, unsigned deadlineMs = kHttpTextDeadlineMs,
                           const std::function<bool()>& givenUp = {});

// Bytes of a text file as text: UTF-16 or UTF-8 with their byte-order marks,
// UTF-8 when the bytes are valid UTF-8, else the Chinese code page 936 (the
// titles are Chinese, whatever code page the machine uses).
std::wstring DecodeText(std::string_view bytes);

}  // namespace panel
