// A window holding the controls the calendar views lay out, named as in the main window,
// for the tests of the layouts.
#pragma once

#include <string>

#include "forms/forms.h"

namespace viewtest {

struct ViewForm : forms::Form {
  ViewForm() : forms::Form("frmViews") {
    fraCalendar.Move(3255, 120, 19215, 11000);
    lblActivite[0].Move(0, 0, 2622, 285);
    lblActivite[0].SetVisible(false);
    imgPeriode[0].Move(0, 0, 255, 165);
    imgPeriode[0].SetVisible(false);
    lblHeures[0].Move(0, 1140, 495, 880);
    for (int i = 1; i <= 23; ++i) {
      lblHeures.Load(i);
      Line1.Load(i);
      Line2.Load(i);
    }
    for (const char* range : {"24 heures", "05:00 - 17:00", "06:00 - 18:00", "07:00 - 19:00",
                              "08:00 - 20:00", "09:00 - 21:00"})
      cmbHeures.AddItem(range);
    lblDate[0].Move(120, 100, 2505, 520);
    lblDate[0].SetVisible(false);
    lblDetail[0].SetHeight(315);
    lblDetail[0].SetVisible(false);
    fraMenuCalendar.Move(3255, 120, 12000, 880);
  }

  // Stacks the hour rows as the hour grid does for `range` (an index of cmbHeures).
  void LayOutHours(int range) {
    cmbHeures.SetListIndex(range);
    const double height = range == 0 ? 440 : 880;
    for (int r = 0; r <= 23; ++r) {
      lblHeures[r].Move(0, 1140 + r * height, 495, height);
      lblHeures[r].SetTag(std::to_string((range == 0 ? 0 : range + 4) + r));
    }
  }

  // A visible activity label with this geometry; its element index.
  int AddLabel(double left, double top, double height, double width = 2622) {
    const int index = lblActivite.UBound() + 1;
    forms::Label& label = lblActivite.Load(index);
    label.Move(left, top, width, height);
    label.SetVisible(true);
    return index;
  }

  // A visible periodic icon of label `labelIndex`, left where it was loaded.
  int AddIcon(int labelIndex) {
    const int index = imgPeriode.UBound() + 1;
    forms::Image& icon = imgPeriode.Load(index);
    icon.SetTag(std::to_string(labelIndex));
    icon.SetVisible(true);
    return index;
  }

  forms::Frame fraCalendar{*this, "fraCalendar"};
  forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
  forms::ControlArray<forms::Label> lblHeures{fraCalendar, "lblHeures"};
  forms::ControlArray<forms::Line> Line1{fraCalendar, "Line1"};
  forms::ControlArray<forms::Line> Line2{fraCalendar, "Line2"};
  forms::Frame fraSemaine{fraCalendar, "fraSemaine"};
  forms::ComboBox cmbHeures{fraCalendar, "cmbHeures"};
  forms::ComboBox cmbAffiche{fraCalendar, "cmbAffiche"};
  forms::ControlArray<forms::Label> lblActivite{fraCalendar, "lblActivite"};
  forms::ControlArray<forms::Image> imgPeriode{fraCalendar, "imgPeriode"};
  forms::Label lblInfo{fraCalendar, "lblInfo"};

  forms::Frame fraAgenda{*this, "fraAgenda"};
  forms::ControlArray<forms::Label> lblDate{fraAgenda, "lblDate"};
  forms::ControlArray<forms::Label> lblDetail{fraAgenda, "lblDetail"};
  forms::FlatScrollBar ScrollAgenda{fraAgenda, "ScrollAgenda"};
  forms::Label lblInfoAg{fraAgenda, "lblInfoAg"};
  forms::Frame fraMenuCalendar{*this, "fraMenuCalendar"};
  forms::Label lblMoisAg{fraMenuCalendar, "lblMoisAg"};

  forms::MSFlexGrid MSFlexGrid1{*this, "MSFlexGrid1"};
};

}  // namespace viewtest
