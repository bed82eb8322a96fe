// Answers the editor's prompts from a script instead of showing them, so that
// a test driving the program from another process never meets a modal box.
// The environment variable names a folder holding:
//  - answers.txt: the answers, one UTF-8 line each, taken in order by the
//    prompts that need one: "yes" or "no" for a Yes/No question,
//    "open <path>" (or "open" to cancel) for the open-file dialog,
//    "folder <path>" (or "folder") for the folder dialog. A box with a single
//    OK button needs no answer. The file may grow while the program runs.
//  - prompts.log: written by the program, one UTF-8 line per prompt:
//    "box|<style>|<title>|<text>", "open|<title>", "folder|<title>", and
//    "unanswered|<kind>" when no fitting answer was there (the question is
//    then answered No and the dialog cancelled). In the text "\" is written
//    "\\", CR "\r" and LF "\n".
#pragma once

namespace editor {

inline constexpr wchar_t kPromptScriptVariable[] = L"BRACKMERE_PROMPT_SCRIPT";

// Installs the scripted answers when the variable names a folder; true then.
bool InstallScriptedPromptsFromEnvironment();

}  // namespace editor
