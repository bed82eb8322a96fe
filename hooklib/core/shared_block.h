// The exchange between a typing process and the panel, over one block of
// memory that every process of the session maps. The block holds fixed-width
// fields only, so each process reads the same layout. The functions here are
// the whole protocol; the caller holds the block's lock around each of them.
//
// Which panel: of the panels switched on, only the one whose library thread
// holds the session's hook lock has its hooks in the QQ client (TakeOver);
// the others wait for that lock, so when the holder stops or its process
// ends, one of them takes over. The typed text always goes to the holder.
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
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace hooklib {

static_assert(sizeof(wchar_t) == 2, "the block carries UTF-16");

// UTF-16 units of text the block carries (a conversion result included). The
// ANSI pair of the library cuts its text to as many bytes, and no ANSI text
// takes more units than bytes, so it fits whatever the code page.
inline constexpr size_t kSharedTextCapacity = 512;

// Taken: the panel has read the typed text. Only an answer to text it read
// counts: a panel whose read failed converts "" and must not delete the character.
enum class ExchangeState : uint32_t { Idle = 0, Pending = 1, Taken = 2, Answered = 3 };

struct SharedBlock {
  // sizeof(SharedBlock) once a panel has taken over. A block that another
  // layout made (an older library beside another panel) has another size, so
  // it counts as holding no panel and is never read: a change of the layout
  // must change its size.
  uint32_t layoutSize;
  uint32_t hookOn;          // a panel holds the hooks
  int64_t panelWindow;      // the holder's window handle, sign-extended
  uint32_t panelProcessId;
  uint32_t panelThreadId;   // the holder's library thread, which owns the hooks
  uint32_t exchange;        // ExchangeState
  // Set when an exchange went unanswered, cleared once the panel handles its
  // message again: until then typed text goes as typed at once, so a busy
  // panel costs the typist one wait, not one per character. Written under
  // the block's lock but read without it (a typist looks before taking any
  // lock), hence always accessed atomically.
  uint32_t panelBehind;
  uint32_t textLength;
  wchar_t text[kSharedTextCapacity + 1];
};

// A panel takes the hooks over: every earlier exchange is forgotten.
void TakeOver(SharedBlock& block, int64_t panelWindow, uint32_t panelProcessId, uint32_t panelThreadId);
// The holder whose library thread is panelThreadId lets the hooks go; any
// other caller changes nothing.
void HandBack(SharedBlock& block, uint32_t panelThreadId);

// Where the typed text goes: the holder's window, 0 while no panel holds the hooks.
int64_t ExchangeTarget(const SharedBlock& block);
// The holder's library thread, 0 while no panel holds the hooks.
uint32_t HolderThread(const SharedBlock& block);
// May be called without the block's lock.
bool PanelBehind(const SharedBlock& block);
void NotePanelResponds(SharedBlock& block);

// False (and nothing changes) unless there is a target and the text fits.
bool BeginExchange(SharedBlock& block, std::wstring_view typed);
// The pending typed text, or "" when no typist waits. The panel responds.
// A reader that can take the text only in some narrower form passes canTake:
// when it refuses the text, the reader gets "" and the text stays pending,
// so whatever the reader stores is no answer and the text stays as typed.
std::wstring ReadTypedText(SharedBlock& block, const std::function<bool(std::wstring_view)>& canTake = {});
// Kept only for text the panel read in this exchange; one longer than
// kSharedTextCapacity units is cut on a whole character.
void StoreConvertedText(SharedBlock& block, std::wstring_view converted);
// The panel's answer, if it gave one. panelReached: the message was handled
// in time; when it was not, the panel counts as behind.
std::optional<std::wstring> EndExchange(SharedBlock& block, bool panelReached);

}  // namespace hooklib
