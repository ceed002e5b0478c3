// The about window: the product's name and version, a presentation of what the planner does,
// a link to the product's web site and a small panel that opens the support chat in the
// browser with the message typed.  "Démarrer Quorvane" (or the caption the opener gives
// cmdUndo) closes it.
//
//   settings::frmVersion about(services);
//   about.cmdUndo.SetCaption("Fermer");
//   services.eventLoop.ShowModal(about);
#pragma once

#include <string>

#include "app/settings/program_version.h"
#include "forms/forms.h"

namespace settings {

// Where the window's links lead; an empty address opens nothing.
struct AboutAddresses {
  std::string productSite;  // the web-site link
  std::string supportPage;  // the page that embeds the support chat
};

// The addresses the program was configured with.
AboutAddresses ConfiguredAboutAddresses();

class frmVersion : public forms::Form {
 public:
  explicit frmVersion(const forms::Services& services,
                      AboutAddresses addresses = ConfiguredAboutAddresses(),
                      ProgramVersion version = kProgramVersion);

  forms::Shape Shape1{*this, "Shape1"};
  forms::Image Image1{*this, "Image1"};
  forms::Label lblNom{*this, "lblNom"};
  forms::Label lblVersion{*this, "lblVersion"};
  forms::Label lblSlogan{*this, "lblSlogan"};
  forms::ControlArray<forms::Label> lblMenu{*this, "lblMenu"};
  forms::Frame fraInfo{*this, "fraInfo"};
  forms::Label lblInfo{fraInfo, "lblInfo"};
  forms::Label lblWeb{fraInfo, "lblWeb"};
  forms::CommandButton cmdUndo{*this, "cmdUndo"};
  forms::Image Image2{*this, "Image2"};

  // The chat panel, hidden until the chat symbol is clicked.
  forms::Frame fraCrisp{*this, "fraCrisp"};
  forms::Label Label10{fraCrisp, "Label10"};
  forms::Label lblClose{fraCrisp, "lblClose"};
  forms::Shape Shape3{fraCrisp, "Shape3"};
  forms::TextBox txtMessage{fraCrisp, "txtMessage"};
  forms::Shape Shape2{fraCrisp, "Shape2"};
  forms::Label lblSend{fraCrisp, "lblSend"};
  forms::Label lblChatUnavailable{fraCrisp, "lblChatUnavailable"};

 private:
  void Design();
  void DesignChatPanel();
  void Connect();

  void Form_Load();
  void lblMenu_Click(int index);
  void lblWeb_Click();
  void Image2_Click();
  void lblSend_Click();
  void lblClose_Click();
  void cmdUndo_Click();

  forms::Shell& shell_;
  AboutAddresses addresses_;
  ProgramVersion version_;
};

}  // namespace settings
