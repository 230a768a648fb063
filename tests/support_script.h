// A fixture for tests whose dialogs are answered from a script: each test starts with no answer
// queued and nothing shown, queues the answers its dialogs take, and must have used every one.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/script/script.h"

namespace qmtest {

class ScriptedDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  void TearDown() override { EXPECT_EQ(platform::script::Pending(), 0u); }
  static void Answer(platform::script::Kind kind, int result, std::u16string text = {}) {
    platform::script::Queue(platform::script::Answer{kind, result, std::move(text)});
  }
  // The last dialog shown; a blank one when none was.
  static platform::script::Shown Shown() {
    const auto& log = platform::script::Log();
    return log.empty() ? platform::script::Shown{} : log.back();
  }
};

}  // namespace qmtest
