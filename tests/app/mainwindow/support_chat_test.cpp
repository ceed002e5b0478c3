#include <gtest/gtest.h>

#include "forms/user_driver.h"
#include "window_fixture.h"

namespace {

class SupportChatTest : public WindowTest {
 protected:
  forms::testing::UserDriver user;
};

TEST_F(SupportChatTest, ChatOpensBelowTheTitleBarAndKeepsTheMessageWhenClosed) {
  mainwindow::frmMain& window = Open();
  user.Click(window.imgCrisp);
  EXPECT_TRUE(window.fraCrisp.Visible());
  EXPECT_EQ(window.fraCrisp.Left(),
            window.fraTitre.Left() + window.fraTitre.Width() - 5655 - 1000);
  EXPECT_EQ(window.fraCrisp.Top(), 1000);
  EXPECT_EQ(window.ActiveControl(), &window.txtMessage);

  user.Type(window.txtMessage, "Bonjour");
  user.Click(window.lblClose);
  EXPECT_FALSE(window.fraCrisp.Visible());
  user.Click(window.imgCrisp);
  EXPECT_EQ(window.txtMessage.Text(), "Bonjour");
  EXPECT_TRUE(world.shell.opened.empty());
}

TEST_F(SupportChatTest, SendingOpensTheSupportPageWithTheEncodedMessage) {
  mainwindow::frmMain& window = Open();
  window.SupportPage = "https://aide.example.org/";
  user.Click(window.imgCrisp);
  window.txtMessage.SetText("Été à 9h\nmerci");
  user.Click(window.lblSend);

  ASSERT_EQ(world.shell.opened.size(), 1u);
  EXPECT_EQ(world.shell.opened[0].target,
            "https://aide.example.org/?crisp_chat_open=1&crisp_message="
            "%C3%89t%C3%A9%20%C3%A0%209h%0D%0Amerci");
  EXPECT_TRUE(world.shell.opened[0].arguments.empty());
  EXPECT_EQ(window.txtMessage.Text(), "");
  EXPECT_FALSE(window.fraCrisp.Visible());

  // An empty message is sent all the same.
  user.Click(window.imgCrisp);
  user.Click(window.lblSend);
  ASSERT_EQ(world.shell.opened.size(), 2u);
  EXPECT_EQ(world.shell.opened[1].target,
            "https://aide.example.org/?crisp_chat_open=1&crisp_message=");
}

TEST_F(SupportChatTest, WithoutASupportPageNothingIsOpened) {
  mainwindow::frmMain& window = Open();
  window.SupportPage = "";
  user.Click(window.imgCrisp);
  window.txtMessage.SetText("Bonjour");
  user.Click(window.lblSend);
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_EQ(window.txtMessage.Text(), "");
  EXPECT_FALSE(window.fraCrisp.Visible());
}

}  // namespace
