// The print of the main window's visible view to PDF: the month grid, the week or work-week
// grid, or the month agenda over as many pages as it needs.
//
// The print does not read the planning data; it walks the window's controls, in the
// window's control order, by the names the main window gives them (the frames fraCalendar,
// fraAgenda, fraMois and fraSemaine, the captions lblTitre, lblMoisAg, lblMois and
// lblSemaine, and the elements of the two shown frames), so it needs nothing of the main
// window's class.
//
//   form.ExportPdf = [&] {
//     agendaexport::WritePDF(form, planner.DataFolder, services.dialogs, services.shell);
//   };
#pragma once

#include <string>

#include "forms/form.h"
#include "forms/services.h"

namespace agendaexport {

// Writes the view into dataFolder + "/Quorvane.pdf", replacing an earlier print, and has
// `shell` open it in the desktop's viewer (without waiting); when no viewer opens it the
// user is told where the file was written.  Failures are told to the user through
// `dialogs`: when the file cannot be created nothing is written; any later failure closes
// what was written and opens nothing.
void WritePDF(const forms::Form& window, const std::string& dataFolder,
              forms::Dialogs& dialogs, forms::Shell& shell);

}  // namespace agendaexport
