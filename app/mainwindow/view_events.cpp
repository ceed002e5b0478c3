// The handlers of the side menu, the views and the date navigation, connected to their
// controls' events.
#include "app/mainwindow/frmMain.h"

namespace mainwindow {

void frmMain::ConnectViewEvents() {
  lblAffiche.Click = [this](int index) { lblAffiche_Click(index); };
  imgMenu.Click = [this](int index) { imgMenu_Click(index); };
  cmbAffiche.Click = [this] { cmbAffiche_Click(); };
  cmbHeures.Click = [this] { cmbHeures_Click(); };

  lblLeft.Click = [this] { lblLeft_Click(); };
  lblRight.Click = [this] { lblRight_Click(); };
  lblLeftSem.Click = [this] { lblLeftSem_Click(); };
  lblRightSem.Click = [this] { lblRightSem_Click(); };
  imgToday.Click = [this](int index) { imgToday_Click(index); };
  lblMois.Click = [this] { lblMois_Click(); };
  lblSemaine.Click = [this] { lblSemaine_Click(); };
  MonthView1.DateClick = [this](runtime::DateTime date) { MonthView1_DateClick(date); };

  lblJour.Click = [this](int index) { lblJour_Click(index); };
  lblJour.MouseMove = [this](int index, int button, int shift, double x, double y) {
    lblJour_MouseMove(index, button, shift, x, y);
  };
  lblJour.MouseDown = [this](int index, int button, int shift, double x, double y) {
    lblJour_MouseDown(index, button, shift, x, y);
  };
  lblJour.DblClick = [this](int index) { lblJour_DblClick(index); };

  lblCategories.Click = [this](int index) { lblCategories_Click(index); };
  scrollCat.Change = [this] { scrollCat_Change(); };

  lblActivite.MouseMove = [this](int index, int button, int shift, double x, double y) {
    lblActivite_MouseMove(index, button, shift, x, y);
  };
  lblDetail.Click = [this](int index) { lblDetail_Click(index); };
  fraAgenda.MouseMove = [this](int button, int shift, double x, double y) {
    fraAgenda_MouseMove(button, shift, x, y);
  };
  lblDate.MouseMove = [this](int index, int button, int shift, double x, double y) {
    lblDate_MouseMove(index, button, shift, x, y);
  };

  lblLeftAg.Click = [this] { lblLeftAg_Click(); };
  lblRightAg.Click = [this] { lblRightAg_Click(); };
  ScrollAgenda.Change = [this] { ScrollAgenda_Change(); };

  fraActivite.MouseDown = [this](int button, int shift, double x, double y) {
    fraActivite_MouseDown(button, shift, x, y);
  };
  fraActivite.MouseMove = [this](int button, int shift, double x, double y) {
    fraActivite_MouseMove(button, shift, x, y);
  };
  fraActivite.MouseUp = [this](int button, int shift, double x, double y) {
    fraActivite_MouseUp(button, shift, x, y);
  };
  fraRessources.MouseDown = [this](int button, int shift, double x, double y) {
    fraRessources_MouseDown(button, shift, x, y);
  };
  fraRessources.MouseMove = [this](int button, int shift, double x, double y) {
    fraRessources_MouseMove(button, shift, x, y);
  };
  fraRessources.MouseUp = [this](int button, int shift, double x, double y) {
    fraRessources_MouseUp(button, shift, x, y);
  };
  fraCategorie.MouseDown = [this](int button, int shift, double x, double y) {
    fraCategorie_MouseDown(button, shift, x, y);
  };
  fraCategorie.MouseMove = [this](int button, int shift, double x, double y) {
    fraCategorie_MouseMove(button, shift, x, y);
  };
  fraCategorie.MouseUp = [this](int button, int shift, double x, double y) {
    fraCategorie_MouseUp(button, shift, x, y);
  };

  imgCopy.Click = [this] { imgCopy_Click(); };

  imgCrisp.Click = [this] { imgCrisp_Click(); };
  lblClose.Click = [this] { lblClose_Click(); };
  lblSend.Click = [this] { lblSend_Click(); };
  imgCopy.MouseDown = [this](int button, int shift, double x, double y) {
    imgCopy_MouseDown(button, shift, x, y);
  };
  imgCopy.MouseUp = [this](int button, int shift, double x, double y) {
    imgCopy_MouseUp(button, shift, x, y);
  };
}

}  // namespace mainwindow
