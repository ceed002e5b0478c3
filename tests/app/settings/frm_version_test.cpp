// The about window, driven as a user drives it; the browser is a recording shell.
#include "app/settings/frmVersion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/testing.h"
#include "forms/user_driver.h"

namespace {

const settings::AboutAddresses kSites{"https://planner.example/", "https://planner.example/"};

class AboutWindowTest : public ::testing::Test {
 protected:
  std::vector<std::string> Opened() const {
    std::vector<std::string> targets;
    for (const auto& opened : world.shell.opened) targets.push_back(opened.target);
    return targets;
  }

  forms::testing::TestServices world;
  forms::testing::UserDriver user;
};

TEST_F(AboutWindowTest, LoadingShowsNameVersionAndTheInformationPage) {
  settings::frmVersion about(world.services(), kSites, {2, 0, 12});
  EXPECT_EQ(about.lblVersion.Caption(), "Version x.xx");
  about.Show();

  EXPECT_EQ(about.Caption(), "Quorvane");
  EXPECT_EQ(about.lblNom.Caption(), "Quorvane");
  EXPECT_EQ(about.lblVersion.Caption(), "Version 2.012");
  EXPECT_EQ(settings::VersionLine({1, 1, 4}), "Version 1.14");

  const std::vector<std::string> lines = forms::CaptionLines(about.lblInfo.Caption());
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0],
            "Quorvane : Le plannificateur de ressources personnalisable tout type "
            "d'activités.");
  EXPECT_EQ(lines[7],
            "Filtrer vos activités et vos ressources pour voir les plages occupées ou "
            "disponibles.");
  EXPECT_NE(about.lblInfo.Caption().find("activités.\r\nUne terminologie"), std::string::npos);
  EXPECT_EQ(about.lblInfo.Height(), 3800);
  EXPECT_EQ(about.fraInfo.BorderStyle(), 1);
  EXPECT_EQ(about.lblMenu[0].Appearance(), forms::k3D);
  EXPECT_EQ(about.lblWeb.Caption(), "https://planner.example/");
  EXPECT_FALSE(about.fraCrisp.Visible());
  EXPECT_EQ(about.cmdUndo.Caption(), "Démarrer Quorvane");
}

TEST_F(AboutWindowTest, SendingOpensTheChatWithTheMessageEncodedAndEmptiesThePanel) {
  settings::frmVersion about(world.services(), kSites);
  about.Show();
  user.Click(about.Image2);
  EXPECT_TRUE(about.fraCrisp.Visible());
  EXPECT_EQ(about.ActiveControl(), &about.txtMessage);

  about.txtMessage.SetText("Bonjour, un problème\nà l'écran");
  user.Click(about.lblSend);
  EXPECT_EQ(Opened(), std::vector<std::string>{
                          "https://planner.example/?crisp_chat_open=1&crisp_message="
                          "Bonjour%2C%20un%20probl%C3%A8me%0D%0A%C3%A0%20l%27%C3%A9cran"});
  EXPECT_EQ(about.txtMessage.Text(), "");
  EXPECT_FALSE(about.fraCrisp.Visible());

  // A line break typed as CR LF is sent once, not doubled.
  user.Click(about.Image2);
  about.txtMessage.SetText("a\r\nb");
  user.Click(about.lblSend);
  EXPECT_EQ(Opened().back(),
            "https://planner.example/?crisp_chat_open=1&crisp_message=a%0D%0Ab");
}

TEST_F(AboutWindowTest, ClosingTheChatPanelKeepsTheTypedText) {
  settings::frmVersion about(world.services(), kSites);
  about.Show();
  user.Click(about.Image2);
  user.Type(about.txtMessage, "Une question");
  about.fraCrisp.Move(0, 0);
  user.Click(about.lblClose);
  EXPECT_FALSE(about.fraCrisp.Visible());

  user.Click(about.Image2);
  EXPECT_TRUE(about.fraCrisp.Visible());
  EXPECT_EQ(about.fraCrisp.Left(), 1800);
  EXPECT_EQ(about.fraCrisp.Top(), 9000);
  EXPECT_EQ(about.txtMessage.Text(), "Une question");
  EXPECT_TRUE(Opened().empty());
}

TEST_F(AboutWindowTest, TheWebLinkOpensTheSiteAndEmptyAddressesOpenNothing) {
  settings::frmVersion about(world.services(), kSites);
  about.Show();
  user.Click(about.lblWeb);
  EXPECT_EQ(Opened(), std::vector<std::string>{"https://planner.example/"});

  forms::testing::TestServices offline;
  settings::frmVersion switchedOff(offline.services(), {"", ""});
  switchedOff.Show();
  user.Click(switchedOff.lblWeb);
  EXPECT_TRUE(offline.shell.opened.empty());
}

TEST_F(AboutWindowTest, TheCloseButtonUnloadsTheModalWindowAndAReloadStartsAfresh) {
  settings::frmVersion about(world.services(), kSites);
  about.cmdUndo.SetCaption("Fermer");
  bool closedByButton = false;
  world.eventLoop.modalScripts.push_back([&](forms::Form&) {
    EXPECT_EQ(about.cmdUndo.Caption(), "Fermer");
    user.Click(about.Image2);
    user.Type(about.txtMessage, "brouillon");
    user.Click(about.cmdUndo);
    closedByButton = !about.Loaded();
  });
  world.eventLoop.ShowModal(about);
  EXPECT_TRUE(closedByButton);

  about.Show();
  EXPECT_FALSE(about.fraCrisp.Visible());
  EXPECT_EQ(about.txtMessage.Text(), "");
}

}  // namespace
