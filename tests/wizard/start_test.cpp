// The Wizard program's start-up routine, its boxes answered through the dialog script.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/script/script.h"
#include "platform/vb/msgbox.h"
#include "support.h"
#include "wizard/start.h"

using platform::script::Answer;
using platform::script::Kind;

namespace {

class WizardStart : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::script::ClearQueue();
    platform::script::Log().clear();
  }
  qmtest::FreshSettings settings;
};

}  // namespace

TEST_F(WizardStart, ShowsItsNoticeOnceAndNothingElseAndLeavesNoTrace) {
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  wizard::modMain::Main();
  ASSERT_EQ(platform::script::Log().size(), 1u) << "no error box follows the notice";
  const auto& notice = platform::script::Log()[0];
  EXPECT_EQ(notice.kind, Kind::MessageBox);
  EXPECT_EQ(notice.title, u"Brannoch Quillmark 3.0");
  EXPECT_EQ(notice.prompt, u"Мастер находится в стадии доработки ...");
  EXPECT_EQ(notice.flags, vb::vbInformation | vb::vbOKOnly);
  EXPECT_EQ(platform::script::Pending(), 0u);
  // Neither the settings store nor anything else under the user's folder was touched.
  EXPECT_TRUE(std::filesystem::is_empty(settings.folder()));

  // A second start is as independent as the first.
  platform::script::Log().clear();
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  wizard::modMain::Main();
  EXPECT_EQ(platform::script::Log().size(), 1u);
}

TEST_F(WizardStart, AnErrorIsReportedWithItsNumberAndDescriptionUnlessItIsPassedOver) {
  for (std::int32_t silent : {0, 364, -2147221504}) {
    wizard::modMain::ReportError(silent, u"ничего");
    EXPECT_TRUE(platform::script::Log().empty()) << silent;
  }
  platform::script::Queue(Answer{Kind::MessageBox, vb::vbOK, {}});
  wizard::modMain::ReportError(7, u"Недостаточно памяти");
  ASSERT_EQ(platform::script::Log().size(), 1u);
  const auto& box = platform::script::Log()[0];
  EXPECT_EQ(box.title, u"Brannoch Quillmark 3.0");
  EXPECT_EQ(box.prompt, u"Произошла ошибка № 7\r\nНедостаточно памяти");
  EXPECT_EQ(box.flags, vb::vbCritical);
}
