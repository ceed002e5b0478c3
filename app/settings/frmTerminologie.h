// The settings dialog: what the user's trade calls projects, activities and resources (a type
// of activity presets the three words, each may then be changed), the switch for calendar
// sharing with its read-only link, and the data options (record counts, backup, restore and
// deletion of the data file).  Shown modally at the first run and from the side menu:
//
//   settings::frmTerminologie dialog(planner, services);
//   services.eventLoop.ShowModal(dialog);
//
// Every way of closing it leaves the chosen words in force; with none chosen it stores the
// defaults.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/settings/publishing.h"
#include "app/store/planner.h"
#include "forms/file_lists.h"
#include "forms/forms.h"

namespace settings {

// The three terms a type of activity presets, blanks around each kept, as the list holds
// them ("Patients ¦ Rendez-vous ¦ Traitements"); nothing for an index outside 0 to 18.
std::optional<std::array<std::string, 3>> ApplyActivityTypePreset(int index);

class frmTerminologie : public forms::Form {
 public:
  frmTerminologie(store::Planner& planner, forms::Services services);

  // Ends the program at once after a restore or a deletion of the data: nothing more may be
  // written over the file left behind.  Unset, the process exits.
  std::function<void()> EndProgram;
  // Shows the about window modally, its button captioned "Fermer".
  std::function<void()> ShowAbout;
  // Where shared calendars are sent, and the host their link starts with.  Sharing is
  // offered only where CanPublish allows it.
  Publishing SharingServer;

  forms::Label Label5{*this, "Label5"};
  forms::Label Label1{*this, "Label1"};
  forms::ComboBox cmbType{*this, "cmbType"};
  forms::Label Label2{*this, "Label2"};
  forms::ComboBox cmbProj{*this, "cmbProj"};
  forms::Label Label3{*this, "Label3"};
  forms::ComboBox cmbAct{*this, "cmbAct"};
  forms::Label Label4{*this, "Label4"};
  forms::ComboBox cmbRess{*this, "cmbRess"};
  forms::Frame Frame1{*this, "Frame1"};
  forms::Label lblExplication{Frame1, "lblExplication"};
  forms::CommandButton cmdOk{*this, "cmdOk"};
  forms::Frame Frame2{*this, "Frame2"};
  forms::Label lblNbProj{Frame2, "lblNbProj"};
  forms::Label lblNbAct{Frame2, "lblNbAct"};
  forms::Label lblNbRess{Frame2, "lblNbRess"};

  forms::Label lblDatas{*this, "lblDatas"};
  forms::Image imgInfo{*this, "imgInfo"};
  forms::CommandButton cmdSave{*this, "cmdSave"};
  forms::CommandButton cmdRestaure{*this, "cmdRestaure"};
  forms::CommandButton cmdKill{*this, "cmdKill"};
  forms::CheckBox chkPartage{*this, "chkPartage"};
  forms::Frame fraPartage{*this, "fraPartage"};
  forms::Label Label7{fraPartage, "Label7"};
  forms::TextBox txtPartage{fraPartage, "txtPartage"};
  forms::Label Label8{fraPartage, "Label8"};
  forms::TextBox txtMailAdmin{fraPartage, "txtMailAdmin"};
  forms::Image imgPartage{fraPartage, "imgPartage"};
  forms::Shape shSelect{fraPartage, "shSelect"};
  // Stands where the sharing fields would, in a build without a server to share through.
  forms::Label lblSharingUnavailable{*this, "lblSharingUnavailable"};

  // The file panel: backup while the file list is hidden, restore while it is shown.
  forms::Frame fraFile{*this, "fraFile"};
  forms::DriveListBox Drive1{fraFile, "Drive1"};
  forms::DirListBox Dir1{fraFile, "Dir1"};
  forms::FileListBox File1{fraFile, "File1"};
  forms::Label Label6{fraFile, "Label6"};
  forms::Label lblFile{fraFile, "lblFile"};
  forms::CommandButton cmdFile{fraFile, "cmdFile"};
  forms::Label lblCloseFile{fraFile, "lblCloseFile"};


  // Brings the plurals in force up to date with the lists, derives singulars and genders,
  // rewrites the counts; returns the explanation (empty while a plural is empty).
  std::string UpdateExplanation();

 private:
  void Design();
  void DesignSharing();
  void DesignFilePanel();
  void Connect();

  void Form_Load();
  void Form_QueryUnload(int& cancel, int unloadMode);
  void cmbType_Click();
  void cmbProj_Click();
  void cmdOk_Click();
  // The type and the plurals as the lists show them.
  void TakeTermsFromLists();
  void WriteCounts();

  void lblDatas_Click();
  void cmdSave_Click();
  void cmdRestaure_Click();
  // The folder the file panel opens in: the one used last while it is still a folder,
  // else the user's home folder (the root without one).
  void ShowStartingFolder();
  void cmdFile_Click();
  void Backup();
  void Restore();
  std::string UnsentCalendarsFailure(bool listFailed) const;
  void cmdKill_Click();
  void chkPartage_Click();
  void imgPartage_Click();
  void imgInfo_Click();
  void StoreSharing();
  void End();

  store::Planner& planner_;
  forms::Services services_;
};

}  // namespace settings
