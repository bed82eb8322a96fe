// The exchange between a typing process and the panel, over one block of
// memory that every process of the session maps. The block holds fixed-width
// fields only, so each process reads the same layout. The functions here are
// the whole protocol; the caller holds the block's lock around each of them.
//
// One exchange: the typing process puts a typed character in the block
// (BeginExchange) and sends the panel its message; the panel, while handling
// it, reads the text (ReadTypedText) and stores its conversion
// (StoreConvertedText); the typing process then takes the answer back
// (EndExchange). A message that reaches the panel after its typist gave up
// (Windows still delivers it; Wine drops it) finds no pending text, so it can
// neither convert the next typist's text twice nor overwrite an answer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hooklib {

// Bytes of ANSI text the block carries (a conversion result included).
inline constexpr size_t kSharedTextCapacity = 512;

enum class ExchangeState : uint32_t { Idle = 0, Pending = 1, Answered = 2 };

struct SharedBlock {
  uint32_t layoutSize;      // sizeof(SharedBlock) once a panel has started
  uint32_t hookOn;
  int64_t panelWindow;      // the panel's window handle, sign-extended
  uint32_t panelProcessId;
  uint32_t exchange;        // ExchangeState
  // Set when an exchange timed out, cleared once the panel answers again:
  // until then a typist first checks briefly whether the panel responds, so
  // a hung panel costs each character a short check, not a full wait.
  uint32_t panelBehind;
  uint32_t textLength;
  char text[kSharedTextCapacity + 1];
};

// A panel takes the block over: every earlier exchange is forgotten.
void StartPanel(SharedBlock& block, int64_t panelWindow, uint32_t panelProcessId);
void SetHookOn(SharedBlock& block, bool on);

// Where the typed text goes: the panel's window, 0 while no panel started or
// the hook is off.
int64_t ExchangeTarget(const SharedBlock& block);
bool PanelBehind(const SharedBlock& block);
void NotePanelResponds(SharedBlock& block);

// False (and nothing changes) unless there is a target and the text fits.
bool BeginExchange(SharedBlock& block, std::string_view typedAnsi);
// The pending typed text, or "" when no typist waits. The panel responds.
std::string ReadTypedText(SharedBlock& block);
// Kept only while a typist waits; at most kSharedTextCapacity bytes (the
// caller cuts on a whole character first).
void StoreConvertedText(SharedBlock& block, std::string_view convertedAnsi);
// The panel's answer, if it gave one. panelReached: the message was handled
// in time; when it was not, the panel counts as behind.
std::optional<std::string> EndExchange(SharedBlock& block, bool panelReached);

}  // namespace hooklib
