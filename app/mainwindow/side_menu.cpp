// The side menu: four entries choose the view, three open or close the floating panels,
// one prints the visible view and one opens the settings.  The highlight of an entry is
// its shape's fill; for the panel entries it is also the state of the toggle.
#include "app/mainwindow/date_names.h"
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/table_filter.h"

namespace mainwindow {
namespace {

constexpr int kMonthView = 0;
constexpr int kAgendaView = 1;
constexpr int kWeekView = 2;
constexpr int kWorkWeekView = 3;
constexpr int kNewActivityEntry = 4;
constexpr int kResourceEntry = 5;
constexpr int kProjectEntry = 6;
constexpr int kPdfEntry = 7;
constexpr int kSettingsEntry = 8;

bool Highlighted(const forms::Shape& entry) { return entry.FillColor() == forms::kButtonFace; }

}  // namespace

void frmMain::lblAffiche_Click(int index) {
  fraActivite.SetVisible(false);
  fraCategorie.SetVisible(false);
  fraRessources.SetVisible(false);
  MonthView1.SetVisible(false);

  // A panel entry closes its panel when highlighted (its close handler runs), else opens it.
  auto toggle = [this](int entry, forms::Label& closeButton, const std::function<void()>& open) {
    if (Highlighted(shMenu[entry])) {
      closeButton.RaiseClick();
      shMenu[entry].SetFillColor(forms::kWhite);
    } else {
      if (open) open();
      shMenu[entry].SetFillColor(forms::kButtonFace);
    }
  };
  switch (index) {
    case kNewActivityEntry:
      toggle(kNewActivityEntry, lblCloseActivite, [this] {
        if (OpenNewActivity) OpenNewActivity("", 0, 0);
      });
      break;
    case kResourceEntry:
      toggle(kResourceEntry, lblCloseRessource, ShowResourcePanel);
      break;
    case kProjectEntry:
      toggle(kProjectEntry, lblCloseCat, ShowProjectPanel);
      break;
    case kPdfEntry:
      DrawCalendar(false, false, true);
      break;
    case kSettingsEntry:
      if (ShowSettings) ShowSettings();
      RefreshTermCaptions();
      break;
    case kMonthView:
    case kAgendaView:
    case kWeekView:
    case kWorkWeekView:
      for (int k = kMonthView; k <= kWorkWeekView; ++k) shMenu[k].SetFillColor(forms::kWhite);
      ShowView(index);
      break;
    default:
      break;
  }
  for (int k : {kNewActivityEntry, kResourceEntry, kProjectEntry})
    if (k != index) shMenu[k].SetFillColor(forms::kWhite);
}

void frmMain::imgMenu_Click(int index) { lblAffiche_Click(index); }

void frmMain::ShowView(int view) {
  fraMenuCalendar.SetVisible(false);
  for (int k = kMonthView; k <= kWorkWeekView; ++k)
    shMenu[k].SetFillColor(k == view ? forms::kButtonFace : forms::kWhite);
  lblInfo.SetVisible(false);
  switch (view) {
    case kMonthView:
      // The week views may have moved the date into another month.
      lblMois.SetCaption(MonthYearText(CurrentDate));
      fraMois.SetVisible(true);
      fraSemaine.SetVisible(false);
      fraAgenda.SetVisible(false);
      DrawCalendar(false, false, false);
      fraCalendar.SetVisible(true);
      break;
    case kAgendaView:
      fraCalendar.SetVisible(false);  // first: the title's hours are then the agenda's
      FilterActivityGrid();
      DrawAgenda();
      fraAgenda.SetVisible(true);
      break;
    case kWeekView:
      fraCalendar.SetVisible(true);
      fraMois.SetVisible(false);
      fraSemaine.SetVisible(true);
      fraAgenda.SetVisible(false);
      DrawCalendar(true, false, false);
      break;
    case kWorkWeekView:
      fraCalendar.SetVisible(true);
      fraMois.SetVisible(false);
      fraAgenda.SetVisible(false);
      fraSemaine.SetVisible(true);
      DrawCalendar(true, true, false);
      fraCalendar.SetVisible(true);
      break;
    default:
      break;
  }
}

// The resource filter changed: the visible view is drawn again for it.
void frmMain::cmbAffiche_Click() {
  lblInfo.SetVisible(false);
  ShowView(VisibleView());
}

// No variable keeps the view: the frames' own visible settings tell it.  The agenda hides
// only the calendar frame, so the month bar stays set visible under it after the month view.
int frmMain::VisibleView() const {
  if (fraMois.Visible()) return kMonthView;
  if (!fraCalendar.Visible()) return kAgendaView;
  return lblJour[5].Visible() ? kWeekView : kWorkWeekView;
}

bool frmMain::WorkWeekShown() const { return !lblJour[6].Visible(); }

void frmMain::FilterActivityGrid() {
  const std::optional<std::string> resource = ChosenResource(cmbAffiche);
  mainwindow::FilterActivityGrid(MSFlexGrid1, planner_, SelectedProjectFilter, resource);
  if (resource) lstRessources.RaiseClick();
}

}  // namespace mainwindow
