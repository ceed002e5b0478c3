#include <gtest/gtest.h>

#include "app/settings/frmVersion.h"
#include "forms/user_driver.h"
#include "window_fixture.h"

namespace {

class SupportChatTest : public WindowTest {
 protected:
  forms::testing::UserDriver user;
};

TEST_F(SupportChatTest, ChatOpensBelowTheTitleBarAndKeepsTheMessageWhenClosed) {
  mainwindow::frmMain& window = Open();
  window.SupportPage = "https://aide.example.org/";
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

// A build without a support page says so in both chat panels, in place of the message box
// and its send button; with one, the panel is the designed one.
TEST_F(SupportChatTest, WithoutASupportPageThePanelSaysTheChatIsNotAvailable) {
  mainwindow::frmMain& window = Open();
  for (const std::string page : {"", "https://aide.example.org/"}) {
    SCOPED_TRACE(page);
    window.SupportPage = page;
    settings::frmVersion about(world.services(), {"", page});
    about.Show();
    user.Click(window.imgCrisp);
    user.Click(about.Image2);
    for (const forms::Label* notice : {&window.lblChatUnavailable, &about.lblChatUnavailable}) {
      EXPECT_EQ(notice->IsShown(), page.empty());
      EXPECT_EQ(notice->Caption(), "Le chat en ligne n'est pas disponible dans cette version.");
    }
    EXPECT_EQ(window.txtMessage.IsShown() && window.lblSend.IsShown(), !page.empty());
    EXPECT_EQ(about.txtMessage.IsShown() && about.lblSend.IsShown(), !page.empty());
  }
  EXPECT_TRUE(world.shell.opened.empty());
}

}  // namespace
