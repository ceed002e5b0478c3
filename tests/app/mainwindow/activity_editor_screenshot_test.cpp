// The activity editor open on an activity over the week view, in a real (off-screen) Qt
// window: what a person would see.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <stdlib.h>
#include <time.h>

#include <string>

#include "app/mainwindow/frmMain.h"
#include "app/store/terminology.h"
#include "forms/qt/backend.h"
#include "forms/qt/date_field.h"
#include "forms/user_driver.h"
#include "platform/scratch_folder.h"
#include "offscreen_application.h"
#include "tests/app/spring_nights.h"
#include "window_pixels.h"

namespace {

constexpr forms::Color kCrimson = 0x3C14DC;  // red in the low byte
constexpr forms::Color kSeaGreen = 0x71B33C;

QRgb Rgb(forms::Color colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The picture of a resource row's remove button and of the repetition icon.
void DrawPictures(const std::string& folder) {
  QImage remove(24, 22, QImage::Format_ARGB32);
  remove.fill(Qt::transparent);
  QPainter painter(&remove);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0xD0, 0x30, 0x30));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(2, 1, 20, 20);
  painter.setPen(QPen(Qt::white, 3));
  painter.drawLine(7, 11, 17, 11);
  painter.end();
  remove.save(QString::fromStdString(folder + "/remove.png"));

  QImage periodic(17, 11, QImage::Format_ARGB32);
  periodic.fill(QColor(255, 255, 255));
  QPainter pen(&periodic);
  pen.setPen(QPen(QColor(40, 40, 40), 1));
  pen.drawRect(0, 0, 16, 10);
  pen.drawArc(4, 2, 8, 7, 30 * 16, 300 * 16);
  pen.end();
  periodic.save(QString::fromStdString(folder + "/periode.png"));
}

std::string Project(const std::string& name, forms::Color colour, int textFlag) {
  return name + "\u00A6" + std::to_string(colour) + "-" + std::to_string(textFlag);
}

// A planner keeping its data in `data`, in the user's words for its three kinds of thing.
store::Planner PlannerIn(const ScratchFolder& data, const char* projects, const char* activities,
                         const char* resources) {
  store::Planner planner;
  planner.DataFolder = data.Path();
  planner.DataFile = data / "data";
  planner.ProjectTerms[0] = projects;
  planner.ActivityTerms[0] = activities;
  planner.ResourceTerms[0] = resources;
  store::ApplyTerminology(planner);
  return planner;
}

// The main window over the week view of `today`, in a real off-screen window.
struct WeekView {
  WeekView(store::Planner& planner, const ScratchFolder& pictures, const std::string& today)
      : backend(QString::fromStdString(pictures.Path())),
        qt(backend.services()),
        clock{*runtime::DateTime::Parse(today + " 09:00"), 0},
        w(planner, {qt.dialogs, qt.clipboard, qt.screen, qt.eventLoop, qt.shell, clock,
                    qt.random, qt.metrics}),
        window(backend.Attach(w)) {
    w.LoadForm();
    w.InitMainForm();
    w.Move(0, 0, 21600, 15300);
    user.Click(w.lblAffiche[2]);
  }

  // The label of the first activity of the list shown in the week, if any.
  forms::Label* FirstActivity() {
    for (int i : w.lblActivite.Indexes())
      if (i > 0 && w.lblActivite[i].Visible() && w.lblActivite[i].Tag() == "0")
        return &w.lblActivite[i];
    return nullptr;
  }

  forms::qt::Backend backend;
  const forms::Services qt;
  runtime::FixedClock clock;
  mainwindow::frmMain w;
  forms::qt::FormWindow& window;
  forms::testing::UserDriver user;
};

TEST(ActivityEditorScreenshot, TheEditorOverTheWeekView) {
  ScratchFolder pictures;
  ScratchFolder data;
  DrawPictures(pictures.Path());

  store::Planner planner = PlannerIn(data, "Chantiers", "Tâches", "Ressources / Personnes");
  planner.Resources = {"Ann", "Bob", "Salle 2"};
  planner.Categories = {Project("Chantier Nord", kCrimson, 0),
                        Project("Chantier Sud", kSeaGreen, 0)};
  // A weekly site meeting with a last date, and two one-off activities.
  planner.Activities = {
      "03.03.2026 14:00\u00A603.03.2026 15:30\u00A6Réunion de chantier\u00A60\u00A6" +
          std::to_string(kCrimson) + "-0-2-31.03.2026\u00A60\u00A62",
      "04.03.2026 09:00\u00A604.03.2026 11:00\u00A6Pose fenêtres\u00A61\u00A6" +
          std::to_string(kSeaGreen) + "-0\u00A61",
      "05.03.2026 10:00\u00A605.03.2026 11:00\u00A6Visite client\u00A61\u00A6" +
          std::to_string(kSeaGreen) + "-0\u00A60"};

  OffscreenApplication application;
  WeekView view(planner, pictures, "04.03.2026");
  mainwindow::frmMain& w = view.w;
  forms::qt::FormWindow& window = view.window;
  forms::testing::UserDriver& user = view.user;
  forms::Label* meeting = view.FirstActivity();
  ASSERT_NE(meeting, nullptr);
  user.DoubleClick(*meeting);
  user.Click(w.lblDegrade[11]);

  window.SyncNow();
  const QImage image = window.grab().toImage();
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/activity_editor.png"));

  EXPECT_EQ(w.fraActivite.Caption(), "Modifier une tâche");
  // The swatch shows the picked shade, the strip its neighbours, the rows their names.
  EXPECT_GT(PixelsOfColour(image, w.lblColTache, Rgb(w.lblColTache.BackColor()), 0),
            w.lblColTache.Width() * w.lblColTache.Height() / 225 / 2);
  EXPECT_GT(PixelsOfColour(image, w.lblDegrade[3], Rgb(w.lblDegrade[3].BackColor()), 0), 10);
  EXPECT_GT(PixelsOfColour(image, w.imgKillAct[1], qRgb(0xD0, 0x30, 0x30)), 30);
  // The marker's frame stands over the picked swatch.
  EXPECT_GT(PixelsOfColour(image, w.lblSelDegrade, qRgb(0, 0, 0), 40), 10);
  const auto combos = window.findChildren<QComboBox*>();
  int rowsShowingNames = 0;
  for (const QComboBox* combo : combos)
    if (combo->isVisible() && (combo->currentText() == "Ann" || combo->currentText() == "Salle 2"))
      ++rowsShowingNames;
  EXPECT_EQ(rowsShowingNames, 2);
  bool described = false;
  for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
    if (edit->isVisible() && edit->text() == "Réunion de chantier") described = true;
  EXPECT_TRUE(described);
}

// The system's zone for the life of a test.
class SystemZone {
 public:
  explicit SystemZone(const char* zone) {
    if (const char* tz = ::getenv("TZ")) saved_ = tz;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~SystemZone() {
    if (saved_.empty()) ::unsetenv("TZ"); else ::setenv("TZ", saved_.c_str(), 1);
    ::tzset();
  }

 private:
  std::string saved_;
};

// A booking held in a data file at a time the clocks skip on the workstation, opened from
// the week view: the editor shows its date and hours as stored.
TEST(ActivityEditorScreenshot, ABookingHeldWhereTheClocksSkipShowsItsDate) {
  ScratchFolder pictures;
  DrawPictures(pictures.Path());
  OffscreenApplication application;
  for (const SpringNight& z : kSpringNights) {
    const SystemZone system(z.zone);
    ScratchFolder data;
    store::Planner planner = PlannerIn(data, "Formations", "Leçons", "Moniteurs");
    planner.IanaTimeZone = z.zone;
    planner.Resources = {"Ann"};
    planner.Categories = {Project("Conduite", kCrimson, 0)};
    const std::string day = z.day;
    planner.Activities = {day + " 02:30\u00A6" + day + " 03:30\u00A6Heure fantôme\u00A60\u00A6" +
                          std::to_string(kCrimson) + "-0\u00A60"};

    WeekView view(planner, pictures, day);
    mainwindow::frmMain& w = view.w;
  forms::qt::FormWindow& window = view.window;
  forms::testing::UserDriver& user = view.user;
    forms::Label* booking = view.FirstActivity();
    ASSERT_NE(booking, nullptr) << z.zone;
    user.DoubleClick(*booking);
    window.SyncNow();
    if (std::string(z.zone) == "Europe/Paris") {
      ASSERT_TRUE(window.grab().toImage().save(QUORVANE_BUILD_DIR "/screenshots/activity_editor_skipped_hour.png"));
    }

    const auto* date = dynamic_cast<const forms::qt::DateField*>(window.WidgetOf(w.DTPicker4));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->displayText().toStdString(), day) << z.zone;
    const auto shown = [&](const forms::Control& list) {
      return static_cast<const QComboBox*>(window.WidgetOf(list))->currentText().toStdString();
    };
    EXPECT_EQ(shown(w.cmbH) + ":" + shown(w.cmbM) + "-" + shown(w.cmbH2) + ":" + shown(w.cmbM2),
              "02:30-03:30")
        << z.zone;
  }
}

}  // namespace
