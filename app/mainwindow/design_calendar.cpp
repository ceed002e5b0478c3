// The calendar area with its month and week bars and the templates of the grids, and the
// agenda list with its month bar.
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/looks.h"

namespace mainwindow {

namespace {

constexpr double kPopUpPadding = 45;  // three pixels

// The pop-ups take no pointer input: the pointer goes on acting on the labels under them.
// Their text is drawn as readable as the window's own, a little apart from the border.
void DesignPopUp(forms::Label& label) {
  label.SetBorderStyle(1);
  label.SetBackColor(forms::kWindowBackground);
  label.SetForeColor(forms::kWindowText);
  label.SetPadding(kPopUpPadding);
  label.SetAutoSize(true);
  label.SetPassesMouse(true);
  label.SetVisible(false);
}

void DesignMonthCaption(forms::Label& label) {
  DesignCaption(label, "", 480, 120, 4040, 400, {"Arial", 14, true}, kMenuBlue);
  label.SetAlignment(forms::kAlignCenter);
  label.SetMousePointer(forms::kHandPointer);
}

}  // namespace

void frmMain::DesignCalendar() {
  fraCalendar.Move(3255, 120, Width() - 3555, Height() - 760);
  fraCalendar.SetBorderStyle(0);
  fraCalendar.SetBackColor(forms::kWhite);

  imgCopy.Move(545, 0, 360, 345);
  imgCopy.SetToolTipText("Copier le tableau");
  imgCopy.SetPicture("copy.png");
  imgCopy.SetStretch(true);
  shSelect.Move(505, -20, 400, 400);
  shSelect.SetShape(forms::kShapeSquare);
  shSelect.SetBorderColor(0xFF0000);
  shSelect.SetBorderWidth(2);
  shSelect.SetVisible(false);

  fraMois.Move(1200, 0, 5000, 600);
  fraMois.SetBorderStyle(0);
  fraMois.SetBackColor(forms::kWhite);
  DesignArrow(lblLeft, "<", 0, 60);
  DesignMonthCaption(lblMois);
  DesignArrow(lblRight, ">", 4600, 60);

  // Narrow enough to end left of the title bar, which would hide the hour range otherwise.
  fraSemaine.Move(1560, 0, 8000, 800);
  fraSemaine.SetBorderStyle(0);
  fraSemaine.SetBackColor(forms::kWhite);
  fraSemaine.SetVisible(false);
  DesignArrow(lblLeftSem, "<", 0, 120);
  DesignCaption(lblSemaine, "", 480, 80, 2800, 600, kArial975Bold, kMenuBlue);
  lblSemaine.SetAlignment(forms::kAlignCenter);
  lblSemaine.SetMousePointer(forms::kHandPointer);
  DesignArrow(lblRightSem, ">", 3360, 120);
  DesignCaption(lblPlage, "Plage horaire :", 4800, 210, 1300, 255, {"Arial", 9.75}, kGrey);
  cmbHeures.Move(6150, 150, 1800, 315);

  imgToday[0].Move(6300, 60, 480, 480);
  imgToday[0].SetToolTipText("Aujourd'hui");
  imgToday[0].SetPicture("today.png");
  imgToday[0].SetMousePointer(forms::kHandPointer);
  imgToday.Load(1, fraSemaine).Move(3960, 120);
  imgToday[1].SetVisible(true);

  cmbAffiche.Move(5400, 120, 2500, 315);
  cmbAffiche.SetVisible(false);

  // Element 0 is Monday's header and the template of the other headers and the day cells.
  forms::Label& header = lblJour[0];
  header.Move(240, 840, 2455, 320);
  header.SetCaption("Lundi");
  header.SetFont({"Arial", 9.75});
  header.SetBackColor(forms::kWhite);
  header.SetForeColor(kMenuBlue);
  header.SetBorderStyle(1);

  shToday.SetShape(forms::kShapeOval);
  shToday.SetBorderColor(kRed);
  shToday.SetBorderWidth(2);
  shToday.SetVisible(false);

  forms::Label& hour = lblHeures[0];
  hour.Move(0, 1140, 495, 880);
  hour.SetBackColor(forms::kWhite);
  hour.SetForeColor(kGrey);
  hour.SetAlignment(forms::kAlignCenter);
  hour.SetVisible(false);
  Line1[0].SetBorderColor(kGrey);
  Line1[0].SetVisible(false);
  Line2[0].SetBorderColor(kPaleGrey);
  Line2[0].SetBorderStyle(forms::kBorderDot);
  Line2[0].SetVisible(false);
  Line3[0].SetBorderColor(kLightGrey);
  Line3[0].SetVisible(false);

  forms::Label& activity = lblActivite[0];
  activity.Move(0, 0, 2215, 285);
  activity.SetAlignment(forms::kAlignCenter);
  activity.SetFont(kSansSerif975);
  activity.SetVisible(false);
  imgPeriode[0].Move(0, 0, 255, 165);
  imgPeriode[0].SetPicture("periode.png");
  imgPeriode[0].SetStretch(true);
  imgPeriode[0].SetVisible(false);

  // On the cell's own background; a click or a double click on it is one on the cell.
  forms::Label& more = lblMore[0];
  more.Move(0, 0, 2215, 285);
  more.SetFont(kArial975Bold);
  more.SetForeColor(kMenuBlue);
  more.SetBackStyle(forms::kTransparent);
  more.SetPassesMouse(true);
  more.SetVisible(false);

  DesignPopUp(lblInfo);

  MonthView1.Move(1200, 720, 3330, 2820);
  MonthView1.SetVisible(false);
}

void frmMain::DesignAgenda() {
  fraAgenda.Move(3255, 1000, Width() - 3555, Height() - 1340);
  fraAgenda.SetBorderStyle(0);
  fraAgenda.SetBackColor(forms::kWhite);
  fraAgenda.SetVisible(false);

  forms::Label& date = lblDate[0];
  date.Move(120, 100, 2505, 520);
  date.SetBorderStyle(1);
  date.SetAlignment(forms::kAlignCenter);
  date.SetFont(kArial975Bold);
  date.SetBackColor(forms::kWindowBackground);
  date.SetForeColor(forms::kWindowText);
  date.SetVisible(false);
  forms::Label& detail = lblDetail[0];
  detail.Move(2705, 150, 8000, 315);
  detail.SetFont(kSansSerif975);
  detail.SetVisible(false);
  ScrollAgenda.SetOrientation(forms::kVertical);
  ScrollAgenda.SetMax(0);
  DesignPopUp(lblInfoAg);

  fraMenuCalendar.Move(3255, 120, 9745, 735);
  fraMenuCalendar.SetBorderStyle(0);
  fraMenuCalendar.SetBackColor(forms::kWhite);
  fraMenuCalendar.SetVisible(false);
  DesignArrow(lblLeftAg, "<", 1200, 60);
  DesignMonthCaption(lblMoisAg);
  lblMoisAg.SetLeft(1680);
  DesignArrow(lblRightAg, ">", 5800, 60);
}

void frmMain::DesignActivityTable() {
  MSFlexGrid1.SetCols(17);
  MSFlexGrid1.SetRows(1);
  MSFlexGrid1.SetFixedRows(1);
  MSFlexGrid1.SetFixedCols(0);
  MSFlexGrid1.Move(3755, 620, 17545, 11740);
  MSFlexGrid1.SetVisible(false);
}

}  // namespace mainwindow
