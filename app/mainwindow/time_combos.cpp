#include <cstdio>

#include "app/mainwindow/frmMain.h"

namespace mainwindow {

void frmMain::FillTimeCombos(forms::ComboBox& hours, forms::ComboBox& minutes) {
  hours.Clear();
  minutes.Clear();
  char text[3];
  for (int hour = 0; hour < 24; ++hour) {
    std::snprintf(text, sizeof text, "%02d", hour);
    hours.AddItem(text);
  }
  for (int minute = 0; minute < 60; minute += 5) {
    std::snprintf(text, sizeof text, "%02d", minute);
    minutes.AddItem(text);
  }
  hours.SetListIndex(0);
  minutes.SetListIndex(0);
}

}  // namespace mainwindow
