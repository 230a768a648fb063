// A fresh main window per test, with a private settings store, scripted dialogs and the program's end
// caught instead of carried out.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/decode.h"
#include "core/document.h"
#include "core/edit_history.h"
#include "core/registry.h"
#include "core/settings_schema.h"
#include "mainwindow/forms/decode.h"
#include "mainwindow/forms/decoding.h"
#include "mainwindow/forms/main.h"
#include "platform/script/script.h"
#include "platform/vb/msgbox.h"
#include "support.h"

namespace qmtest {

inline void SetPref(std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kPreferencesKey, name, text);
}
inline std::u16string Pref(std::u16string_view name) { return modRegistry::ReadPreference(name); }
inline void SetSound(std::u16string_view name, std::u16string_view text) {
  modRegistry::WriteRegistryString(win::HKEY_CURRENT_USER, settings::kSoundsKey, name, text);
}
inline void Answer(platform::script::Kind kind, int result, std::u16string text = {}) {
  platform::script::Queue(platform::script::Answer{kind, result, std::move(text)});
}
inline void AnswerBox(int result) { Answer(platform::script::Kind::MessageBox, result); }
// The prompts of the message boxes shown so far.
inline std::vector<std::u16string> Prompts() {
  std::vector<std::u16string> out;
  for (const auto& s : platform::script::Log()) out.push_back(s.prompt);
  return out;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    modDecode::DocumentDecoded = false;
    modDecode::DecodeCancelled = false;
    modDecode::TextBeforeDecode.clear();
    modDocument::UndoStack.clear();
    modDocument::RedoStack.clear();
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  ~MainWindowTest() override {
    if (DecodeDialog().IsLoaded()) DecodeDialog().Terminate();
    if (DecodingWindow().IsLoaded()) DecodingWindow().Terminate();
    if (main_) {
      main_->Terminate();
      delete main_;
    }
    EXPECT_EQ(platform::script::Pending(), 0u) << "answers left unused";
    platform::script::ClearQueue();
  }
  // The window, loaded with the settings as the test left them.
  frmMain& w() {
    if (main_ == nullptr) {
      main_ = new frmMain([this] { ++ends; });
      main_->Load();
    }
    return *main_;
  }
  vb::RichTextBox& editor() { return *w().RichTextBox; }

  FreshSettings settings_;
  frmMain* main_ = nullptr;
  int ends = 0;
};

}  // namespace qmtest
