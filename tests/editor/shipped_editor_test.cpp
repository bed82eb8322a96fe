// What ships: the editor users run answers no prompt from outside. Its test
// build, made from the same sources, is the one that does.
#include <gtest/gtest.h>

#include <string>

#include "editor/scripted_prompts.h"
#include "foundation/app_path.h"
#include "support/temp_dir.h"

namespace {

// Whether the program's file holds the variable's name as the program would
// look it up (UTF-16).
bool NamesPromptScript(const std::wstring& program) {
  const std::string bytes = testing_support::ReadFileBytes(foundation::AppPath() + program);
  EXPECT_FALSE(bytes.empty()) << "no " << std::string(program.begin(), program.end());
  const std::wstring name = editor::kPromptScriptVariable;
  const std::string wide(reinterpret_cast<const char*>(name.data()), name.size() * sizeof(wchar_t));
  return bytes.find(wide) != std::string::npos;
}

}  // namespace

TEST(ShippedEditor, AnswersNoPromptFromAScript) {
  EXPECT_FALSE(NamesPromptScript(L"Brackmere.exe"));
  EXPECT_TRUE(NamesPromptScript(L"Brackmere_test.exe"));
}
