// The month, week, work-week and agenda views in a real (off-screen) Qt window, with
// activities that repeat and overlap: what a person would see.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>
#include <memory>
#include <string>

#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/looks.h"
#include "app/store/terminology.h"
#include "forms/qt/backend.h"
#include "forms/qt/units.h"
#include "forms/user_driver.h"
#include "platform/scratch_folder.h"
#include "offscreen_application.h"
#include "window_pixels.h"

namespace {

// The colours are stored with red in the low byte.
constexpr forms::Color kCrimson = 0x3C14DC;
constexpr forms::Color kSeaGreen = 0x71B33C;
constexpr forms::Color kRoyalBlue = 0xE16941;
constexpr forms::Color kOrange = 0x00A5FF;

QRgb Rgb(forms::Color colour) {
  return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

// The pixels of `control` that have exactly `colour`.
int PixelsOf(const QImage& image, const forms::Control& control, forms::Color colour) {
  return PixelsOfColour(image, control, Rgb(colour), 0);
}

class CalendarScreenshots : public ::testing::Test {
 protected:
  CalendarScreenshots() {

    planner.DataFolder = data.Path();
    planner.DataFile = data / "data";
    planner.ProjectTerms[0] = "Chantiers";
    planner.ActivityTerms[0] = "Tâches";
    planner.ResourceTerms[0] = "Ressources / Personnes";
    store::ApplyTerminology(planner);
    planner.Resources = {"Ann", "Bob", "Salle 2"};
    planner.Categories = {Project("Chantier Nord", kCrimson, 0),
                          Project("Chantier Sud", kSeaGreen, 0),
                          Project("Atelier", kRoyalBlue, 0), Project("Livraisons", kOrange, 1)};
    // Repeating: every morning for three weeks, every Tuesday, every month.
    Add("02.03.2026 08:00", "02.03.2026 08:30", "Point du matin", 2, "-1-20.03.2026", {0, 1});
    Add("03.03.2026 14:00", "03.03.2026 15:30", "Réunion de chantier", 0, "-2", {0});
    Add("05.03.2026 10:00", "05.03.2026 11:00", "Revue mensuelle", 2, "-4", {1});
    // Overlapping on Wednesday and Thursday.
    Add("04.03.2026 09:00", "04.03.2026 11:00", "Pose fenêtres", 0, "", {0});
    Add("04.03.2026 10:00", "04.03.2026 12:00", "Béton", 1, "", {1});
    Add("04.03.2026 10:30", "04.03.2026 11:30", "Contrôle", 2, "", {2});
    Add("05.03.2026 09:30", "05.03.2026 10:30", "Visite client", 1, "", {0});
    Add("06.03.2026 13:00", "06.03.2026 17:00", "Menuiseries", 3, "", {2});
    Add("07.03.2026 09:00", "07.03.2026 12:00", "Portes ouvertes", 2, "", {});
    Add("12.03.2026 08:00", "14.03.2026 17:00", "Salon de l'habitat", 0, "", {0, 1});
    for (int i = 0; i < 9; ++i)
      Add("16.03.2026 1" + std::to_string(i) + ":00", "16.03.2026 1" + std::to_string(i) + ":45",
          "Livraison " + std::to_string(i + 1), 3, "", {});
    Add("19.03.2026 07:30", "19.03.2026 09:00", "Métré", 1, "", {1});
    Add("24.03.2026 15:00", "24.03.2026 16:00", "Réception", 0, "", {0, 2});
    Add("27.03.2026 11:00", "27.03.2026 12:00", "Commande", 3, "", {});
  }

  static std::string Project(const std::string& name, forms::Color colour, int textFlag) {
    return name + "\u00A6" + std::to_string(colour) + "-" + std::to_string(textFlag);
  }

  void Add(const std::string& start, const std::string& end, const std::string& name,
           int project, const std::string& periodicity, const std::vector<int>& resources) {
    const std::string& projectRecord = planner.Categories[project];
    std::string record = start + "\u00A6" + end + "\u00A6" + name + "\u00A6" +
                         std::to_string(project) + "\u00A6" +
                         projectRecord.substr(projectRecord.find("\u00A6") + 2) + periodicity;
    for (int r : resources) record += "\u00A6" + std::to_string(r);
    planner.Activities.push_back(record);
  }

  // The main window in a real window of `backend`, as the start-up leaves it.
  std::unique_ptr<mainwindow::frmMain> Show(forms::qt::Backend& backend) {
    const forms::Services qt = backend.services();
    auto w = std::make_unique<mainwindow::frmMain>(
        planner, forms::Services{qt.dialogs, qt.clipboard, qt.screen, qt.eventLoop, qt.shell,
                                 clock, qt.random, qt.metrics});
    window = &backend.Attach(*w);
    w->LoadForm();
    w->InitMainForm();
    return w;
  }

  QImage Shot(const char* name) {
    window->SyncNow();
    const QImage image = window->grab().toImage();
    EXPECT_TRUE(image.save(QString(QUORVANE_BUILD_DIR "/screenshots/") + name));
    return image;
  }

  ScratchFolder data;
  store::Planner planner;
  runtime::FixedClock clock{*runtime::DateTime::Parse("04.03.2026 09:00"), 0};
  forms::testing::UserDriver user;
  forms::qt::FormWindow* window = nullptr;
};

TEST_F(CalendarScreenshots, MonthWeekWorkWeekAndAgenda) {
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  // Tall enough for the six weeks of March 2026.
  w.Move(0, 0, 21600, 15300);

  const QImage month = Shot("month_view.png");
  // The 16th shows six of its ten activities inside its cell and says "+4" on its last
  // line; the repetitions carry their colours.
  const int cell = [&] {
    for (int j = 7; j <= 37; ++j)
      if (w.lblJour[j].Tag() == "16.03.2026") return j;
    return 0;
  }();
  const forms::Label& sixteenth = w.lblJour[cell];
  const double bottom = sixteenth.Top() + sixteenth.Height();
  int inCell = 0;
  for (int i : w.lblActivite.Indexes()) {
    const forms::Label& label = w.lblActivite[i];
    if (i > 0 && label.Visible() && label.Left() == sixteenth.Left() + 240 &&
        label.Top() >= sixteenth.Top() && label.Top() < bottom) {
      ++inCell;
      EXPECT_LE(label.Top() + label.Height(), bottom);
    }
  }
  EXPECT_EQ(inCell, 6);
  ASSERT_EQ(w.lblMore.UBound(), 1);
  EXPECT_EQ(w.lblMore[1].Caption(), "+4");
  EXPECT_EQ(w.lblMore[1].Top(), sixteenth.Top() + 6 * 300);
  EXPECT_LE(w.lblMore[1].Top() + w.lblMore[1].Height(), bottom);
  EXPECT_GT(PixelsOfColour(month, w.lblMore[1], Rgb(mainwindow::kMenuBlue)), 20);
  EXPECT_GT(PixelsOf(month, w.lblActivite[1], kRoyalBlue), 300);
  // Every menu entry and the chat button show their pictures.
  for (int k = 0; k <= 8; ++k)
    EXPECT_GT(PixelsOfColour(month, w.imgMenu[k], qRgb(0x00, 0x67, 0xC0)), 60) << k;
  EXPECT_GT(PixelsOfColour(month, w.imgCrisp, qRgb(0x00, 0x67, 0xC0)), 1000);

  user.Click(w.lblAffiche[2]);
  const QImage week = Shot("week_view.png");
  EXPECT_EQ(w.lblSemaine.Caption(), "Semaine du \n2.03 au 8.03.2026");
  // Wednesday's three overlapping activities stand side by side, each in its colour.
  for (int i : w.lblActivite.Indexes()) {
    if (i == 0 || !w.lblActivite[i].Visible()) continue;
    const forms::Label& label = w.lblActivite[i];
    EXPECT_GT(PixelsOf(week, label, label.BackColor()), label.Width() * label.Height() / 225 / 3)
        << label.Caption();
  }

  user.Click(w.lblAffiche[3]);
  Shot("work_week_view.png");
  EXPECT_FALSE(w.lblJour[5].Visible());

  user.Click(w.lblAffiche[1]);
  const QImage agenda = Shot("agenda_view.png");
  ASSERT_GT(w.lblDetail.Count(), 20);
  EXPECT_GT(PixelsOf(agenda, w.lblDetail[1], w.lblDetail[1].BackColor()), 300);

  // Scrolled, the list moves inside its frame: nothing changes above the frame, where the
  // month bar stands.
  ASSERT_TRUE(w.ScrollAgenda.Enabled());
  const QPoint frame = WindowOrigin(w.fraAgenda);
  const QRect above(frame.x(), 0, forms::qt::Px(w.fraAgenda.Width()), frame.y());
  w.ScrollAgenda.SetValue(w.ScrollAgenda.Max());
  const QImage scrolled = Shot("agenda_scrolled.png");
  EXPECT_EQ(scrolled.copy(above), agenda.copy(above));
}

// The window at its first size (1424 x 841 inside its frame) on a month of six weeks: the
// last week is in view, month labels keep to one line, and the hover details are readable.
TEST_F(CalendarScreenshots, AtTheFirstSizeEveryDayAndReadableLabelsShow) {
  Add("31.03.2026 09:00", "31.03.2026 10:00", "Déménagement du siège social", 0, "", {0, 1, 2});
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  const QImage month = Shot("month_view_first_size.png");
  ASSERT_EQ(month.size(), QSize(1424, 841));

  auto labelOf = [&](const std::string& caption) {
    for (int i : w.lblActivite.Indexes())
      if (i > 0 && w.lblActivite[i].Visible() && w.lblActivite[i].Caption() == caption) return i;
    return 0;
  };
  const int last = labelOf("Chantier Nord: Déménagement du siège social");
  ASSERT_GT(last, 0) << "the label of the 31st is drawn";
  const forms::Label& label = w.lblActivite[last];
  const QPoint corner = WindowOrigin(label);
  EXPECT_LE(corner.y() + forms::qt::Px(label.Height()), month.height());
  EXPECT_GT(PixelsOf(month, label, kCrimson), 1000);
  // One line of white text: nothing of a second line shows at the label's foot.
  int footText = 0;
  for (int y = corner.y() + forms::qt::Px(label.Height()) - 3;
       y < corner.y() + forms::qt::Px(label.Height()); ++y)
    for (int x = corner.x(); x < corner.x() + forms::qt::Px(label.Width()); ++x)
      if (Close(month.pixel(x, y), qRgb(255, 255, 255), 100)) ++footText;
  EXPECT_EQ(footText, 0);

  // Hovering shows the details in black, every line whole within the pop-up's margin.
  const int reception = labelOf("Chantier Nord: Réception");
  ASSERT_GT(reception, 0);
  user.MoveMouse(w.lblActivite[reception], 0, 30, 30);
  const QImage hover = Shot("hover_details.png");
  ASSERT_TRUE(w.lblInfo.Visible());
  EXPECT_FALSE(w.lblInfo.TakesMouse());
  const QPoint popUp = WindowOrigin(w.lblInfo);
  const int width = forms::qt::Px(w.lblInfo.Width());
  const int height = forms::qt::Px(w.lblInfo.Height());
  auto darkIn = [&](int top, int bottom) {
    int count = 0;
    for (int y = popUp.y() + top; y < popUp.y() + bottom; ++y)
      for (int x = popUp.x() + 1; x < popUp.x() + width - 1; ++x)
        if (Close(hover.pixel(x, y), qRgb(0, 0, 0), 60)) ++count;
    return count;
  };
  EXPECT_GT(darkIn(1, height - 1), 150) << "black text, not grey";
  EXPECT_GT(darkIn(height - 18, height - 3), 20) << "the last line, -Salle 2";
  EXPECT_EQ(darkIn(height - 3, height - 1), 0) << "the margin below the last line";
}

// With a project and a resource chosen the title has two lines, both whole; back in the
// month view after the week view the weekday headers stand as before.
TEST_F(CalendarScreenshots, TitleOfTwoLinesAndMonthHeadersAfterTheWeek) {
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  const QImage before = Shot("month_headers.png");
  user.Click(w.lblCategories[1]);
  user.Choose(w.lstRessources, "Ann");
  user.Click(w.lblAffiche[2]);
  user.Click(w.lblAffiche[0]);
  const QImage after = Shot("title_two_lines.png");
  ASSERT_NE(w.lblTitre.Caption().find('\n'), std::string::npos);

  // The second line is drawn in the label's lower half and stops short of its foot.
  const QPoint title = WindowOrigin(w.lblTitre);
  const int height = forms::qt::Px(w.lblTitre.Height());
  auto blueRows = [&](int from, int to) {
    int count = 0;
    for (int y = title.y() + from; y < title.y() + to; ++y)
      for (int x = title.x(); x < title.x() + forms::qt::Px(w.lblTitre.Width()); ++x)
        if (Close(after.pixel(x, y), Rgb(mainwindow::kMenuBlue), 60)) ++count;
    return count;
  };
  EXPECT_GT(blueRows(height / 2, height), 100);
  EXPECT_EQ(blueRows(height - 2, height), 0);
  EXPECT_LE(w.lblTitre.Top() + w.lblTitre.Height(), w.fraTitre.Height());

  // The weekday headers look as they did before the week view.
  const QPoint monday = WindowOrigin(w.lblJour[0]);
  const QRect headers(monday, QSize(forms::qt::Px(w.lblJour[6].Left() + w.lblJour[6].Width() -
                                                  w.lblJour[0].Left()),
                                    forms::qt::Px(w.lblJour[0].Height())));
  EXPECT_EQ(before.copy(headers), after.copy(headers));
}

// Over a month longer than the frame, the wheel turned over the list scrolls it and turned
// back returns it; a click in the scroll bar's track below the handle moves it by a page.
TEST_F(CalendarScreenshots, TheWheelAndTheTrackScrollTheAgenda) {
  Add("01.03.2026 06:00", "01.03.2026 06:30", "Ouverture", 3, "-1", {});
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  user.Click(w.lblAffiche[1]);
  window->SyncNow();
  ASSERT_TRUE(w.ScrollAgenda.Enabled());
  const double firstTop = w.lblDetail[1].Top();
  QWidget* list = window->WidgetOf(w.fraAgenda);
  const QPointF overLine(forms::qt::Px(w.lblDetail[1].Left()) + 20,
                         forms::qt::Px(firstTop) + 5);
  for (const int notches : {-1, 1}) {
    QWheelEvent wheel(overLine, list->mapToGlobal(overLine), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    EXPECT_EQ(w.ScrollAgenda.Value() > 0, notches < 0);
    EXPECT_EQ(w.lblDetail[1].Top(), firstTop - 300 * w.ScrollAgenda.Value());
  }

  QWidget* bar = window->WidgetOf(w.ScrollAgenda);
  const QPointF inTrack(bar->width() / 2.0, bar->height() - 30);
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, inTrack, bar->mapToGlobal(inTrack), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(bar, &click);
  }
  const int page = static_cast<int>(w.fraAgenda.Height() / 300);
  ASSERT_GT(w.ScrollAgenda.Max(), page);
  EXPECT_EQ(w.ScrollAgenda.Value(), page);
}

// With a resource chosen, the title and the resource's hours stand whole in the title
// bar, left of its PDF entry: on two lines at the first size, on one in a wider window.
TEST_F(CalendarScreenshots, TheTitleOfAChosenResourceStandsWhole) {
  planner.Resources.push_back("équipe Maçonnerie");
  Add("01.03.2026 00:00", "09.03.2026 17:00", "Gros œuvre", 0, "", {3});
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  user.Choose(w.lstRessources, "équipe Maçonnerie");
  ASSERT_EQ(w.lblTitre.Caption(), "équipe Maçonnerie - 209 Heures");
  const forms::Label& title = w.lblTitre;
  for (const auto& [width, lines] : {std::pair{w.Width(), 2}, std::pair{w.Width() + 6000, 1}}) {
    w.Move(w.Left(), w.Top(), width, w.Height());
    Shot(lines == 1 ? "title_of_a_resource_wide.png" : "title_of_a_resource.png");
    const QFontMetrics metrics(forms::qt::ToQFont(title.Font()));
    const int height = metrics.boundingRect(QRect(0, 0, forms::qt::Px(title.Width()), 9999),
                                            Qt::TextWordWrap, QString::fromStdString(title.Caption())).height();
    EXPECT_EQ((height - metrics.height()) / metrics.lineSpacing() + 1, lines) << width;
    EXPECT_LE(height, forms::qt::Px(title.Height())) << width;
    EXPECT_LE(title.Top() + title.Height(), w.fraTitre.Height()) << width;
    EXPECT_LE(title.Left() + title.Width(), w.shMenu[7].Left()) << width;
  }
}

// A filtered title of three lines at the designed size, and a long resource name alone:
// at the window's opening size every line of the caption lies inside the visible title,
// left of the PDF entry, in the month, agenda and week views.
TEST_F(CalendarScreenshots, AFilteredTitleShowsWholeInEveryView) {
  planner.ProjectTerms[0] = "Projets";
  store::ApplyTerminology(planner);
  planner.Categories.push_back(Project("Festival Jazz d'Hiver", kCrimson, 0));
  planner.Resources.push_back("Technicien son Marc");
  const std::string longName =
      "Régisseuse générale plateau et lumières Anne-Sophie Delacroix-Vernier";
  planner.Resources.push_back(longName);
  Add("05.03.2026 20:00", "05.03.2026 23:00", "Balances", 4, "", {3, 4});
  OffscreenApplication application;
  forms::qt::Backend backend(QUORVANE_SOURCE_DIR "/app/mainwindow/pictures");
  const auto shown = Show(backend);
  mainwindow::frmMain& w = *shown;
  const struct {
    int project;  // 0: every project
    std::string resource;
    std::string caption;
  } cases[] = {
      {5, "Technicien son Marc",
       "Projets Festival Jazz d'Hiver\n (Technicien son Marc - 3 Heures)"},
      {0, longName, longName + " - 3 Heures"},
  };
  const std::pair<int, std::string> views[] = {{0, "month"}, {1, "agenda"}, {2, "week"}};
  for (const auto& c : cases) {
    user.Click(w.lblCategories[c.project]);
    user.Choose(w.lstRessources, c.resource);
    for (const auto& [entry, view] : views) {
      user.Click(w.lblAffiche[entry]);
      const std::string name =
          std::string("title_") + (c.project ? "project_" : "resource_") + view + ".png";
      const QImage shot = Shot(name.c_str());
      ASSERT_EQ(shot.size(), QSize(1424, 841));
      ASSERT_EQ(w.lblTitre.Caption(), c.caption);
      // Every line as Qt breaks and draws the caption, inside the title and its bar.
      using forms::qt::Px;
      const forms::Label& title = w.lblTitre;
      const QRect label(WindowOrigin(title), QSize(Px(title.Width()), Px(title.Height())));
      const QRect bar(WindowOrigin(w.fraTitre),
                      QSize(Px(w.fraTitre.Width()), Px(w.fraTitre.Height())));
      const QRect text = QFontMetrics(forms::qt::ToQFont(title.Font()))
                             .boundingRect(label, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap,
                                           QString::fromStdString(title.Caption()));
      EXPECT_TRUE(label.intersected(bar).contains(text)) << name;
      EXPECT_LE(text.right(), WindowOrigin(w.shMenu[7]).x()) << name;
    }
  }
}

}  // namespace
