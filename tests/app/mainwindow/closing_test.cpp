// Closing the main window while a change could not be written: the write is tried again,
// and when it still fails the user chooses between trying again, keeping the window open
// and losing the change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>

#include "app/store/data_file.h"
#include "app/store/records.h"
#include "platform/file_faults.h"
#include "window_fixture.h"

namespace {

using ::testing::HasSubstr;

class ClosingTest : public WindowTest {
 protected:
  ClosingTest() {
    planner.ShowWriteFailure = [](const std::string&) {};
    Open();
    store::AddResource(planner, "Perceuse");
    before_ = ReadTextFile(planner.DataFile);
    DiskFull(true);
    store::AddResource(planner, "Etau");
  }
  ~ClosingTest() override { DiskFull(false); }

  static void DiskFull(bool full) {
    platform::InjectedFileFaults().writeError = full ? ENOSPC : 0;
  }
  // Closes the window as its close box does; true when it closed.
  bool Close() { return window->UnloadForm(forms::kUnloadFromControlMenu); }
  int Questions() const { return static_cast<int>(world.dialogs.shown.size()); }
  bool FileUnchanged() const { return ReadTextFile(planner.DataFile) == before_; }

 private:
  std::string before_;
};

TEST_F(ClosingTest, TheQuestionTellsWhyAndNeverLosesTheChangeByDefault) {
  world.dialogs.msgBoxAnswers = {forms::kCancel};
  EXPECT_FALSE(Close());
  ASSERT_EQ(Questions(), 1);
  const auto& asked = world.dialogs.shown[0];
  EXPECT_EQ(asked.buttons, forms::kYesNoCancel + forms::kExclamation);
  EXPECT_THAT(asked.prompt, HasSubstr("Les dernières modifications n'ont pas pu être enregistrées."));
  EXPECT_THAT(asked.prompt, HasSubstr("Cause : espace disque insuffisant"));
  EXPECT_THAT(asked.prompt, HasSubstr("Oui : essayer à nouveau de les enregistrer."));
  EXPECT_THAT(asked.prompt, HasSubstr("Non : fermer Quorvane et perdre ces modifications."));
  EXPECT_THAT(asked.prompt, HasSubstr("Annuler : laisser Quorvane ouvert"));
}

TEST_F(ClosingTest, KeepingTheWindowOpenLetsTheChangeBeWrittenOnceThereIsSpace) {
  world.dialogs.msgBoxAnswers = {forms::kCancel};
  EXPECT_FALSE(Close());
  EXPECT_TRUE(window->Loaded());
  EXPECT_TRUE(FileUnchanged());

  DiskFull(false);
  EXPECT_TRUE(Close());
  EXPECT_EQ(Questions(), 1) << "a write that succeeds asks nothing";
  EXPECT_EQ(store::ReadIni("RESSOURCE1", "Nom", planner.DataFile), "Etau");
}

TEST_F(ClosingTest, TryingAgainWritesAgainAndAsksAgainWhileItFails) {
  world.dialogs.msgBoxAnswers = {forms::kYes, forms::kYes, forms::kCancel};
  EXPECT_FALSE(Close());
  EXPECT_EQ(Questions(), 3);
  EXPECT_TRUE(FileUnchanged());
  EXPECT_FALSE(planner.UnwrittenValues.empty());
}

TEST_F(ClosingTest, ClosingWithoutTheChangeLeavesTheFileAsItWas) {
  world.dialogs.msgBoxAnswers = {forms::kNo};
  EXPECT_TRUE(Close());
  EXPECT_EQ(Questions(), 1);
  DiskFull(false);
  EXPECT_EQ(store::WriteUnwrittenValues(planner), 0) << "nothing waits for the end of the run";
  EXPECT_TRUE(FileUnchanged());
}

}  // namespace
