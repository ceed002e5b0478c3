#include "app/mainwindow/frmMain.h"
#include "app/store/system_error_text.h"

namespace mainwindow {

namespace {

std::string UnwrittenAtCloseText(const std::string& file, int error) {
  return "Les dernières modifications n'ont pas pu être enregistrées.\nFichier : " + file +
         "\nCause : " + store::SystemErrorText(error) +
         "\n\nOui : essayer à nouveau de les enregistrer."
         "\nNon : fermer Quorvane et perdre ces modifications."
         "\nAnnuler : laisser Quorvane ouvert, le temps de libérer de la place par exemple.";
}

}  // namespace

// The default answer tries again and closing the box keeps the window: only "Non" loses
// the changes.
void frmMain::Form_QueryUnload(int& cancel) {
  for (;;) {
    const int error = store::TryWriteUnwrittenValues(planner_);
    if (error == 0) return;
    const int answer = services_.dialogs.MsgBox(UnwrittenAtCloseText(planner_.DataFile, error),
                                                forms::kYesNoCancel + forms::kExclamation);
    if (answer == forms::kYes) continue;
    if (answer == forms::kNo) {
      planner_.UnwrittenValues.clear();
    } else {
      cancel = 1;
    }
    return;
  }
}

}  // namespace mainwindow
