// Message boxes under the No Show setting: which show, their style and text, and the stop question.
#include "base/message_center.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/fake_platform.h"

namespace r7 {
namespace {

namespace box = platform::box;
constexpr platform::WindowId kOwner = 42;

class MessageCenterTest : public ::testing::Test {
 protected:
  MessageCenterTest() { ResetToDefaults(settings_); }
  const std::vector<platform::posix::ShownBox>& shown() { return fake_.message_boxes.shown(); }

  testing::FakePlatform fake_;
  Settings settings_;
  ErrorReporter errors_;
  MessageCenter center_{settings_, errors_, fake_.message_boxes, fake_.input};
};

TEST_F(MessageCenterTest, NoShowSuppressesBoxesByTheirVisibilityAndEveryBoxIsSystemModal) {
  // No Show, the owner and the visibility, and whether the box shows.
  const std::tuple<int, platform::WindowId, Visibility, bool> cases[] = {
      {0, kOwner, Visibility::kNormal, true},
      {0, platform::kNoWindow, Visibility::kEvenWhenSilent, false},
      {1, kOwner, Visibility::kNormal, false},
      {1, kOwner, Visibility::kEvenWhenSilent, true},
      {3, kOwner, Visibility::kEvenWhenSilent, true},
      {2, kOwner, Visibility::kEvenWhenSilent, false},
      {-1, kOwner, Visibility::kNormal, false},
  };
  for (const auto& [no_show, owner, visibility, shows] : cases) {
    fake_.message_boxes.clear();
    settings_.no_show = no_show;
    int answer = center_.MessageBoxWrapper(owner, "text", "caption", box::kOk, visibility);
    EXPECT_EQ(shown().size(), shows ? 1u : 0u) << no_show;
    EXPECT_EQ(answer, shows ? platform::answer::kOk : platform::answer::kNone) << no_show;
  }
  // Every box is system modal.
  settings_.no_show = 0;
  center_.MessageBoxWrapper(kOwner, "t", "c", box::kYesNo);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].style, box::kYesNo | box::kSystemModal);
}

TEST_F(MessageCenterTest, ErrorBoxShowsInNoShowOneAndCutsItsText) {
  settings_.no_show = 1;
  center_.ShowErrorBox(kOwner, 10, "01");
  center_.ShowErrorBox(kOwner, -1, "detail only");
  center_.ShowErrorBox(kOwner, 22, std::string(400, 'x'));
  ASSERT_EQ(shown().size(), 3u);
  EXPECT_EQ(shown()[0].text, "Can't open file - 01");
  EXPECT_EQ(shown()[0].caption, "R7 [Tessary]");
  EXPECT_EQ(shown()[0].style, box::kIconExclamation | box::kSystemModal);
  EXPECT_EQ(shown()[1].text, "detail only");
  EXPECT_EQ(shown()[2].text.size(), 259u);
}

TEST_F(MessageCenterTest, PendingErrorThenTheRecordManagerStatus) {
  int status_boxes = 0;
  center_.SetStatusBoxHook([&](platform::WindowId) { ++status_boxes; });
  EXPECT_FALSE(center_.ShowPendingError(kOwner, 0));
  errors_.SetError(38, "glbalfil");
  EXPECT_TRUE(center_.ShowPendingError(kOwner, 12));
  EXPECT_FALSE(errors_.pending());
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "R7 [Tessary] Btrieve error - glbalfil");
  EXPECT_EQ(status_boxes, 1);

  errors_.SetError(38, "again");
  EXPECT_TRUE(center_.ShowPendingError(kOwner, 0));  // no status: no second box
  settings_.no_show = 1;
  errors_.SetError(38, "silent");
  EXPECT_TRUE(center_.ShowPendingError(kOwner, 12));
  EXPECT_EQ(status_boxes, 1);
}

TEST_F(MessageCenterTest, AbortCheckAsksAndRespectsTheAnswer) {
  // No Show, a stop request and the answer, then whether it stops and how many questions.
  const std::tuple<int, bool, int, bool, int> cases[] = {
      {0, false, platform::answer::kYes, false, 0},
      {0, true, platform::answer::kYes, true, 1},
      {0, true, platform::answer::kNo, false, 1},
      {1, true, platform::answer::kYes, false, 0},
  };
  for (const auto& [no_show, stop_requested, answer, stops, questions] : cases) {
    fake_.message_boxes.clear();
    settings_.no_show = no_show;
    fake_.input.stop_requested = stop_requested;
    fake_.message_boxes.set_answer(answer);
    EXPECT_EQ(center_.AbortCheck(kOwner), stops);
    ASSERT_EQ(shown().size(), static_cast<std::size_t>(questions));
    if (questions) {
      EXPECT_EQ(shown()[0].text, "OK to stop?");
    }
  }
  EXPECT_EQ(fake_.input.repaints, 1);  // only the declined question repaints
}

}  // namespace
}  // namespace r7
