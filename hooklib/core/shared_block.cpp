#include "hooklib/core/shared_block.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace hooklib {
namespace {

bool Started(const SharedBlock& block) { return block.layoutSize == sizeof(SharedBlock); }

void PutText(SharedBlock& block, std::string_view text) {
  const size_t n = std::min(text.size(), kSharedTextCapacity);
  std::memcpy(block.text, text.data(), n);
  block.text[n] = '\0';
  block.textLength = static_cast<uint32_t>(n);
}

std::string TakeText(const SharedBlock& block) {
  return std::string(block.text, std::min<size_t>(block.textLength, kSharedTextCapacity));
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

bool BeginExchange(SharedBlock& block, std::string_view typedAnsi) {
  if (ExchangeTarget(block) == 0) return false;
  if (typedAnsi.empty() || typedAnsi.size() > kSharedTextCapacity) return false;
  PutText(block, typedAnsi);
  block.exchange = static_cast<uint32_t>(ExchangeState::Pending);
  return true;
}

std::string ReadTypedText(SharedBlock& block) {
  if (!Started(block)) return {};
  NotePanelResponds(block);
  if (block.exchange != static_cast<uint32_t>(ExchangeState::Pending)) return {};
  block.exchange = static_cast<uint32_t>(ExchangeState::Taken);
  return TakeText(block);
}

void StoreConvertedText(SharedBlock& block, std::string_view convertedAnsi) {
  if (!Started(block) || block.exchange != static_cast<uint32_t>(ExchangeState::Taken)) return;
  PutText(block, convertedAnsi);
  block.exchange = static_cast<uint32_t>(ExchangeState::Answered);
}

std::optional<std::string> EndExchange(SharedBlock& block, bool panelReached) {
  if (!Started(block)) return std::nullopt;
  std::optional<std::string> answer;
  if (block.exchange == static_cast<uint32_t>(ExchangeState::Answered)) answer = TakeText(block);
  if (!panelReached && !answer) BehindMark(block).store(1);
  block.exchange = static_cast<uint32_t>(ExchangeState::Idle);
  PutText(block, {});
  return answer;
}

}  // namespace hooklib
