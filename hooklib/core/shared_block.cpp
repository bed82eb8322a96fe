#include "hooklib/core/shared_block.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace hooklib {
namespace {

// The size of the layout that carried ANSI text.
static_assert(sizeof(SharedBlock) != 552);

bool Started(const SharedBlock& block) { return block.layoutSize == sizeof(SharedBlock); }

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Text longer than the block holds loses its end, never half a surrogate pair.
void PutText(SharedBlock& block, std::wstring_view text) {
  size_t n = text.size();
  if (n > kSharedTextCapacity) {
    n = kSharedTextCapacity;
    if (IsHighSurrogate(text[n - 1])) --n;
  }
  std::copy_n(text.data(), n, block.text);
  block.text[n] = L'\0';
  block.textLength = static_cast<uint32_t>(n);
}

std::wstring TakeText(const SharedBlock& block) {
  return std::wstring(block.text, std::min<size_t>(block.textLength, kSharedTextCapacity));
}

std::atomic_ref<uint32_t> BehindMark(const SharedBlock& block) {
  return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(block.panelBehind));
}

}  // namespace

void TakeOver(SharedBlock& block, int64_t panelWindow, uint32_t panelProcessId, uint32_t panelThreadId) {
  std::memset(&block, 0, sizeof(block));
  block.layoutSize = sizeof(SharedBlock);
  block.hookOn = 1;
  block.panelWindow = panelWindow;
  block.panelProcessId = panelProcessId;
  block.panelThreadId = panelThreadId;
}

void HandBack(SharedBlock& block, uint32_t panelThreadId) {
  if (panelThreadId == 0 || HolderThread(block) != panelThreadId) return;
  block.hookOn = 0;
  block.panelWindow = 0;
}

int64_t ExchangeTarget(const SharedBlock& block) {
  return Started(block) && block.hookOn ? block.panelWindow : 0;
}

uint32_t HolderThread(const SharedBlock& block) {
  return Started(block) && block.hookOn ? block.panelThreadId : 0;
}

bool PanelBehind(const SharedBlock& block) { return Started(block) && BehindMark(block).load() != 0; }

void NotePanelResponds(SharedBlock& block) {
  if (Started(block)) BehindMark(block).store(0);
}

bool BeginExchange(SharedBlock& block, std::wstring_view typed) {
  if (ExchangeTarget(block) == 0) return false;
  if (typed.empty() || typed.size() > kSharedTextCapacity) return false;
  PutText(block, typed);
  block.exchange = static_cast<uint32_t>(ExchangeState::Pending);
  return true;
}

std::wstring ReadTypedText(SharedBlock& block, const std::function<bool(std::wstring_view)>& canTake) {
  if (!Started(block)) return {};
  NotePanelResponds(block);
  if (block.exchange != static_cast<uint32_t>(ExchangeState::Pending)) return {};
  std::wstring text = TakeText(block);
  if (canTake && !canTake(text)) return {};
  block.exchange = static_cast<uint32_t>(ExchangeState::Taken);
  return text;
}

void StoreConvertedText(SharedBlock& block, std::wstring_view converted) {
  if (!Started(block) || block.exchange != static_cast<uint32_t>(ExchangeState::Taken)) return;
  PutText(block, converted);
  block.exchange = static_cast<uint32_t>(ExchangeState::Answered);
}

std::optional<std::wstring> EndExchange(SharedBlock& block, bool panelReached) {
  if (!Started(block)) return std::nullopt;
  std::optional<std::wstring> answer;
  if (block.exchange == static_cast<uint32_t>(ExchangeState::Answered)) answer = TakeText(block);
  if (!panelReached && !answer) BehindMark(block).store(1);
  block.exchange = static_cast<uint32_t>(ExchangeState::Idle);
  PutText(block, {});
  return answer;
}

}  // namespace hooklib
