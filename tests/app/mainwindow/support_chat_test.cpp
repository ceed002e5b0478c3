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
  settings::frmVersion aboutWithout(world.services(), {"", ""});
  settings::frmVersion aboutWith(world.services(), {"", "https://aide.example.org/"});
  aboutWithout.Show();
  aboutWith.Show();
  struct Panel {
    std::string supportPage;  // the main window's; the about windows have their own
    forms::Image& opener;
    forms::TextBox& message;
    forms::Label& send;
    forms::Label& notice;
    bool available;
  };
  const Panel panels[] = {
      {"", window.imgCrisp, window.txtMessage, window.lblSend, window.lblChatUnavailable, false},
      {"https://aide.example.org/", window.imgCrisp, window.txtMessage, window.lblSend,
       window.lblChatUnavailable, true},
      {"", aboutWithout.Image2, aboutWithout.txtMessage, aboutWithout.lblSend,
       aboutWithout.lblChatUnavailable, false},
      {"", aboutWith.Image2, aboutWith.txtMessage, aboutWith.lblSend,
       aboutWith.lblChatUnavailable, true},
  };
  for (const Panel& panel : panels) {
    SCOPED_TRACE(panel.opener.OwnerForm().Name() + (panel.available ? " with" : " without"));
    window.SupportPage = panel.supportPage;
    user.Click(panel.opener);
    EXPECT_EQ(panel.notice.IsShown(), !panel.available);
    EXPECT_EQ(panel.notice.Caption(), "Le chat en ligne n'est pas disponible dans cette version.");
    EXPECT_EQ(panel.message.IsShown(), panel.available);
    EXPECT_EQ(panel.send.IsShown(), panel.available);
    EXPECT_EQ(panel.message.OwnerForm().ActiveControl() == &panel.message, panel.available);
  }
  EXPECT_TRUE(world.shell.opened.empty());
}

}  // namespace
