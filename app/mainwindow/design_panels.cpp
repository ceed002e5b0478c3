// The floating panels: the activity editor, the resource panel, the project panel, and the
// support chat with its button.
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/looks.h"
#include "app/settings/support_chat.h"

namespace mainwindow {

namespace {

constexpr const char* kPeriodicities[] = {"Aucune",  "Journalière", "Hebdomadaire",
                                          "Bi-mensuel", "Mensuel", "Trimestriel",
                                          "Semestriel", "Annuel"};

void DesignFieldLabel(forms::Label& label, const std::string& caption, double left,
                      double top, double height = 255) {
  DesignCaption(label, caption, left, top, 1600, height, forms::Font{}, forms::kBlack);
  label.SetWordWrap(true);
}

void DesignHiddenPicker(forms::DTPicker& picker, const std::string& format, double left) {
  picker.Move(left, 0, 1815, 315);
  picker.SetFormat(forms::kCustomFormat);
  picker.SetCustomFormat(format);
  picker.SetVisible(false);
}

void DesignSwatch(forms::Label& swatch, forms::Label& letter, double left, double top) {
  swatch.Move(left, top, 735, 615);
  swatch.SetBackColor(forms::kWhite);
  swatch.SetBorderStyle(1);
  DesignCaption(letter, "A", left + 60, top + 120, 615, 400, {"MS Sans Serif", 15},
                forms::kBlack);
  letter.SetAlignment(forms::kAlignCenter);
}

}  // namespace

void frmMain::DesignActivityEditor() {
  DesignPanel(fraActivite, "Ajouter une tâche", 3360, 2040, 7095, 4800);

  DesignFieldLabel(Label1, "Date :", 240, 525);
  DTPicker4.Move(1920, 480, 1335, 315);
  DTPicker4.SetFormat(forms::kCustomFormat);
  DTPicker4.SetCustomFormat("dd.MM.yyyy");
  DesignFieldLabel(Label9, "de :", 3320, 525);
  cmbH.Move(3720, 480, 615, 315);
  cmbM.Move(4320, 480, 615, 315);
  DesignFieldLabel(Label4, "à :", 5040, 525);
  cmbH2.Move(5400, 480, 615, 315);
  cmbM2.Move(6000, 480, 615, 315);
  DesignHiddenPicker(DTPicker1, "dd.MM.yyyy HH:mm", 1680);
  DesignHiddenPicker(DTPicker2, "dd.MM.yyyy HH:mm", 3600);
  DesignHiddenPicker(DTPicker5, "dd.MM.yyyy", 5520);

  DesignFieldLabel(Label7, "Périodicité :", 240, 1080);
  cmbPeriode.Move(1920, 1040, 1935, 315);
  for (const char* item : kPeriodicities) cmbPeriode.AddItem(item);
  chkFinPeriode.Move(4680, 1005, 2200, 315);
  chkFinPeriode.SetCaption("Définir dernière fois");
  chkFinPeriode.SetBackColor(forms::kWhite);
  chkFinPeriode.SetVisible(false);
  DTPicker3.Move(4680, 1320, 1335, 315);
  DTPicker3.SetFormat(forms::kCustomFormat);
  DTPicker3.SetCustomFormat("dd.MM.yyyy");
  DTPicker3.SetVisible(false);

  DesignFieldLabel(Label2, "Description :", 240, 1845);
  txtActivite.Move(1920, 1800, 4695, 315);
  DesignFieldLabel(Label5, "Projet :", 240, 2325);
  cmbcategorie.Move(1920, 2280, 4695, 315);
  DesignFieldLabel(Label3, "Ressources Personnes :", 240, 2685, 735);
  cmbRessource[0].Move(1920, 2760, 4695, 315);
  imgKillAct[0].Move(6630, 2760, 360, 330);
  imgKillAct[0].SetPicture("remove.png");
  imgKillAct[0].SetStretch(true);
  imgKillAct[0].SetMousePointer(forms::kHandPointer);
  cmdNewRess.Move(1920, 3240, 4695, 375);
  cmdNewRess.SetCaption("Ajouter une ressource / personne");

  fraValide.Move(120, 3645, 6735, 1120);
  fraValide.SetBorderStyle(0);
  fraValide.SetBackColor(forms::kWhite);
  DesignCaption(Label6, "Couleur", 240, 0, 1200, 255, forms::Font{}, forms::kBlack);
  DesignHatch(Shape2, 360, 240, 735, 615);
  Shape2.SetShape(forms::kShapeSquare);
  DesignSwatch(lblColTache, lblString, 360, 240);
  lblColTache.SetBorderStyle(0);
  lblDegrade[0].Move(682, 885, 90, 165);
  lblDegrade[0].SetVisible(false);
  lblSelDegrade.Move(682, 885, 90, 165);
  lblSelDegrade.SetBorderStyle(1);
  lblSelDegrade.SetBackStyle(forms::kTransparent);
  lblSelDegrade.SetMousePointer(forms::kSizeWEPointer);
  lblSelDegrade.SetVisible(false);
  cmdValideActivite.Move(1800, 240, 4695, 615);
  cmdValideActivite.SetCaption("Valider");

  DesignCloseLabel(lblCloseActivite, 6720);
}

void frmMain::DesignResourcePanel() {
  DesignPanel(fraRessources, "Ressources / Personnel", 5040, 7080, 7095, 4935);
  lstRess.Move(360, 600, 6375, 2670);
  optRess[0].Move(360, 3360, 4575, 315);
  optRess[0].SetCaption("Uniquement ressources actives");
  optRess[0].SetBackColor(forms::kWhite);
  forms::OptionButton& deactivated = optRess.Load(1);
  deactivated.Move(360, 3720);
  deactivated.SetCaption("Ressources déactivées");
  deactivated.SetVisible(true);
  optRess[0].SetValue(true);
  cmdAddRess.Move(360, 4200, 4575, 495);
  cmdAddRess.SetCaption("Ajouter une ressource ou personne");
  cmdActiveRess.Move(5040, 4200, 1695, 495);
  cmdActiveRess.SetCaption("Désactiver");
  DesignCloseLabel(lblCloseRessource, 6720);
}

void frmMain::DesignProjectPanel() {
  DesignPanel(fraCategorie, "Projets", 5040, 7080, 7095, 4935);
  lstCat.Move(360, 600, 4935, 3375);
  DesignSwatch(lblColor, lblStringProj, 5640, 600);
  DesignHatch(Shape1, 5640, 600, 735, 615);
  cmdAddCat.Move(360, 4200, 4935, 495);
  cmdAddCat.SetCaption("Nouveau projet");
  DesignCloseLabel(lblCloseCat, 6720);
}

void frmMain::DesignSupportChat() {
  fraimgCrisp.Move(Width() - 1400, 0, 1215, 1215);
  fraimgCrisp.SetBorderStyle(0);
  fraimgCrisp.SetBackColor(forms::kWhite);
  // The layout sizes the frame to the picture: kept short enough to end above the day
  // headers, which the frame would otherwise hide at the window's top right.
  imgCrisp.Move(0, 0, 840, 840);
  imgCrisp.SetToolTipText("Chat en ligne");
  imgCrisp.SetPicture("chat.png");
  imgCrisp.SetStretch(true);
  imgCrisp.SetMousePointer(forms::kHandPointer);

  fraCrisp.Move(0, 0, 5655, 2655);
  fraCrisp.SetBorderStyle(0);
  fraCrisp.SetBackColor(kChatBlue);
  fraCrisp.SetVisible(false);
  DesignCaption(Label11, "Démarrer un Chat en ligne", 480, 140, 4500, 300, kArial975Bold,
                forms::kWhite);
  Shape3.Move(240, 480, 4215, 1935);
  Shape3.SetShape(forms::kShapeRoundedRectangle);
  Shape3.SetFillStyle(forms::kFillSolid);
  Shape3.SetFillColor(forms::kWhite);
  Shape3.SetBorderColor(forms::kWhite);
  txtMessage.Move(300, 600, 4095, 1695);
  txtMessage.SetMultiLine(true);
  txtMessage.SetBorderStyle(0);
  txtMessage.SetBackColor(forms::kWhite);
  Shape4.Move(4560, 1140, 735, 615);
  Shape4.SetShape(forms::kShapeRoundedSquare);
  Shape4.SetFillStyle(forms::kFillSolid);
  Shape4.SetFillColor(kMenuBlue);
  Shape4.SetBorderColor(kMenuBlue);
  DesignCaption(lblSend, ">", 4680, 1200, 495, 495, {"Arial", 20.25, true}, forms::kWhite);
  lblSend.SetAlignment(forms::kAlignCenter);
  lblSend.SetMousePointer(forms::kHandPointer);
  lblClose.Move(5270, 0, 375, 255);
  lblClose.SetCaption("X");
  lblClose.SetAlignment(forms::kAlignCenter);
  lblClose.SetFont(kArial975Bold);
  lblClose.SetBackColor(kDarkGrey);
  lblClose.SetForeColor(forms::kWhite);
  settings::DesignChatUnavailable(lblChatUnavailable);
}

}  // namespace mainwindow
