// The side menu's "Créer un PDF" through the program's own start-up: the print of the
// month, week, work-week and agenda views, read back with qpdf, pdftotext and pdfinfo and
// rendered for a person under screenshots/; and the failures the user is told of.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

#include "app/mainwindow/startup_services.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "forms/testing.h"
#include "forms/user_driver.h"
#include "pdf/pdf_tools.h"
#include "platform/scratch_folder.h"

namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;
using pdf::testing_support::CountOf;
using pdf::testing_support::RunTool;

constexpr int kMonthView = 0;
constexpr int kAgendaView = 1;
constexpr int kWeekView = 2;
constexpr int kWorkWeekView = 3;
constexpr int kPrint = 7;

class ViewPrintTest : public ::testing::Test {
 protected:
  ViewPrintTest() {
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    std::filesystem::create_directories(home / "Quorvane");
    store::Planner earlier;
    earlier.DataFile = home / "Quorvane/data";
    store::AddCategory(earlier, "Nord\u00A6255-0");
    store::AddCategory(earlier, "Sud\u00A665535-1");
    // Terms already chosen: no first-run settings dialog comes between start-up and print.
    earlier.ProjectTerms[0] = "Projets";
    earlier.ActivityTerms[0] = "Activités";
    earlier.ResourceTerms[0] = "Ressources / Personnes";
    store::SaveParams(earlier);
  }
  ~ViewPrintTest() override { ::unsetenv("XDG_DATA_HOME"); }

  // The window as the start-up leaves it, on March 2026 (today is Monday 02.03.2026).
  mainwindow::frmMain& Start() {
    EXPECT_TRUE(store::Main(planner, startup));
    return *startup.MainWindow();
  }

  // One activity of project `project` on `day` of March 2026.
  void Add(int day, const std::string& from, const std::string& to, const std::string& name,
           int project = 0) {
    const std::string date = (day < 10 ? "0" : "") + std::to_string(day) + ".03.2026 ";
    planner.Activities.push_back(date + from + "\u00A6" + date + to + "\u00A6" + name +
                                 "\u00A6" + std::to_string(project) + "\u00A6" +
                                 (project == 0 ? "255-0" : "65535-1"));
  }

  void Menu(int entry) { user.Click(startup.MainWindow()->lblAffiche[entry]); }

  std::string Pdf() const { return home / "Quorvane/Quorvane.pdf"; }

  // The print as a person sees it: its first page under screenshots/, the file itself
  // under test-output/.
  void Keep(const std::string& name) const {
    const std::filesystem::path build(QUORVANE_BUILD_DIR);
    std::filesystem::create_directories(build / "screenshots");
    std::filesystem::create_directories(build / "test-output");
    std::filesystem::copy_file(Pdf(), build / "test-output" / (name + ".pdf"),
                               std::filesystem::copy_options::overwrite_existing);
    const auto render = RunTool("pdftoppm -png -r 60 -f 1 -l 1 -singlefile '" + Pdf() + "' '" +
                                (build / "screenshots" / name).string() + "'");
    EXPECT_EQ(render.status, 0) << render.output;
  }

  // Sound for qpdf and mutool, and PDF/A as pdffonts sees it: every font travels with it.
  void ExpectValid() const {
    pdf::testing_support::ExpectSoundFile(Pdf());
    const std::string fonts = RunTool("pdffonts '" + Pdf() + "'").output;
    EXPECT_GT(CountOf(fonts, "TrueType "), 0) << fonts;
    EXPECT_EQ(CountOf(fonts, " yes no "), CountOf(fonts, "\n") - 2) << fonts;
  }

  std::string Text(int page = 0) const {
    const std::string pages =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return RunTool("pdftotext -layout" + pages + " '" + Pdf() + "' -").output;
  }

  std::string Info() const { return RunTool("pdfinfo '" + Pdf() + "'").output; }

  // The box of a word of the first page, in points from the paper's top-left corner.
  struct WordBox {
    double left = 0, top = 0, right = 0;
  };
  WordBox Word(const std::string& word) const {
    const std::string boxes = RunTool("pdftotext -bbox -f 1 -l 1 '" + Pdf() + "' -").output;
    const std::regex box("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>" +
                         word + "<");
    std::smatch found;
    if (!std::regex_search(boxes, found, box)) {
      ADD_FAILURE() << word << " not printed";
      return {};
    }
    return {std::stod(found[1]), std::stod(found[2]), std::stod(found[3])};
  }

  static constexpr int kPixelsPerPoint = 4;

  // The grey levels of the first page rendered, down the vertical at `x` points from the
  // paper's top, kPixelsPerPoint pixels a point.
  std::string GreysAt(double x) const {
    const std::string column = home / "column";
    const auto render = RunTool("pdftoppm -gray -r 288 -f 1 -l 1 -singlefile -W 1 -H 4000 -x " +
                                std::to_string(static_cast<int>(x * kPixelsPerPoint)) +
                                " -y 0 '" + Pdf() + "' '" + column + "'");
    EXPECT_EQ(render.status, 0) << render.output;
    const std::string image = pdf::testing_support::ReadAll(column + ".pgm");
    // "P5", the width 1, the height and the top value, each ended by a line feed.
    std::size_t pixels = 0;
    for (int field = 0; field < 3; ++field) pixels = image.find('\n', pixels) + 1;
    return image.substr(pixels);
  }

  // The heights, in points from the paper's top, at which the first page rendered shows a
  // dark line across the vertical at `x` points.
  std::vector<double> DarkLinesAt(double x) const {
    const std::string greys = GreysAt(x);
    std::vector<double> lines;
    for (std::size_t i = 0; i < greys.size(); ++i) {
      const bool dark = static_cast<unsigned char>(greys[i]) < 128;
      if (dark && (i == 0 || static_cast<unsigned char>(greys[i - 1]) >= 128))
        lines.push_back(static_cast<double>(i) / kPixelsPerPoint);
    }
    return lines;
  }

  ScratchFolder home;
  store::Planner planner;
  forms::testing::TestServices world;
  mainwindow::MainWindowStartup startup{planner, world.services()};
  forms::testing::UserDriver user;
};

TEST_F(ViewPrintTest, MonthPrintIsALandscapePageWithTheTitleAndTheMonthsActivities) {
  mainwindow::frmMain& w = Start();
  Add(4, "09:00", "10:30", "Pose");
  Add(17, "14:00", "15:00", "Visite", 1);
  Add(31, "08:00", "09:00", "Bilan");
  Add(18, "10:00", "11:00", "Déménagement du siège social et des archives");
  user.Click(w.lblCategories[0]);
  Menu(kMonthView);
  w.lblInfo.SetCaption("Bulle d'aide");
  w.lblInfo.SetVisible(true);

  Menu(kPrint);

  ASSERT_EQ(world.shell.opened.size(), 1u);
  EXPECT_EQ(world.shell.opened[0].target, Pdf());
  EXPECT_TRUE(world.shell.opened[0].arguments.empty());
  EXPECT_TRUE(world.dialogs.shown.empty());
  ExpectValid();
  EXPECT_THAT(Info(), ContainsRegex("Page size: +841.89 x 595.27"));
  EXPECT_THAT(Info(), ContainsRegex("Pages: +1\n"));
  EXPECT_THAT(Info(), ContainsRegex("Title: +Quorvane"));
  const std::string text = Text();
  EXPECT_THAT(text, HasSubstr("mars 2026"));
  for (const char* name : {"Pose", "Visite", "Bilan", "Lundi", "Dimanche"})
    EXPECT_THAT(text, HasSubstr(name));
  EXPECT_THAT(text, Not(HasSubstr("Bulle")));
  // A month label keeps to its one line, cut as on screen.
  EXPECT_THAT(text, ContainsRegex("Nord: Déménag[^\n]*…"));
  EXPECT_THAT(text, Not(HasSubstr("archives")));
  // The screen is drawn again at its own sizes once the print is written.
  EXPECT_NE(w.lblJour[0].Width(), 2150);
  Keep("print_month");
}

TEST_F(ViewPrintTest, WeekPrintsCarryTheWeekCaptionOnOneLineAndTheirDays) {
  mainwindow::frmMain& w = Start();
  Add(3, "08:00", "10:00", "Chape");
  Add(5, "13:30", "16:00", "Peinture", 1);
  Add(7, "10:00", "11:00", "Samedi matin");
  user.Click(w.lblCategories[0]);

  Menu(kWeekView);
  Menu(kPrint);
  ExpectValid();
  std::string text = Text();
  EXPECT_THAT(text, HasSubstr("Semaine du 2.03 au 8.03.2026"));
  for (const char* name : {"Chape", "Peinture", "Samedi matin", "Dimanche 8 mars", "08:00"})
    EXPECT_THAT(text, HasSubstr(name));
  Keep("print_week");

  Menu(kWorkWeekView);
  Menu(kPrint);
  ExpectValid();
  text = Text();
  EXPECT_THAT(text, HasSubstr("Semaine du 2.03 au 6.03.2026"));
  for (const char* name : {"Chape", "Peinture", "Vendredi 6 mars"}) EXPECT_THAT(text, HasSubstr(name));
  EXPECT_THAT(text, Not(HasSubstr("Samedi")));
  EXPECT_EQ(world.shell.opened.size(), 2u);
  Keep("print_work_week");
}

TEST_F(ViewPrintTest, TheWeekPrintShowsEachHourAtItsLineAndTheWeekBarAsOneLine) {
  Start();
  Menu(kWeekView);
  Menu(kPrint);
  ExpectValid();

  // The bar breaks its caption after "Semaine du": the title has one blank there.
  const WordBox semaine = Word("Semaine"), du = Word("du"), monday = Word("2\\.03");
  EXPECT_NEAR(monday.left - du.right, du.left - semaine.right, 0.1);

  // As in the window, an hour's label starts at the full-hour line that opens its row:
  // the line under the hour before.  The rows are 44 points high.
  const std::vector<double> lines = DarkLinesAt(Word("09:00").right + 20);
  for (const char* hour : {"08:00", "09:00", "12:00", "16:00"}) {
    const WordBox label = Word(hour);
    double line = 0;
    for (double y : lines)
      if (y <= label.top + 1) line = y;
    EXPECT_NEAR(label.top, line, 1) << hour;
  }
}

// An activity that ends with the hour range, or later that day, is drawn down to the range's
// last line, in the week and work-week windows and in their prints; so is one wholly after
// the range, inside the grid with its text.
TEST_F(ViewPrintTest, AnActivityEndingWithTheRangeReachesItsLastLine) {
  // Views, hour ranges ("07:00 - 19:00", "09:00 - 21:00"), activities; the last two end
  // after their range.
  const std::tuple<int, int, int, const char*, const char*, const char*> cases[] = {
      {kWeekView, 3, 3, "18:00", "19:00", "Solfege"},
      {kWeekView, 3, 5, "19:30", "21:00", "Veillee"},
      {kWorkWeekView, 3, 4, "18:00", "19:00", "Piano"},
      {kWorkWeekView, 5, 6, "20:00", "22:00", "Chorale"}};
  for (const auto& [view, range, day, from, to, name] : cases) Add(day, from, to, name);
  mainwindow::frmMain& w = Start();
  for (const auto& [view, range, day, from, to, name] : cases) {
    Menu(view);
    user.Choose(w.cmbHeures, range);
    for (int i : w.lblActivite.Indexes()) {
      const forms::Label& block = w.lblActivite[i];
      if (i > 0 && block.Caption().find(name) != std::string::npos) {
        EXPECT_EQ(block.Top() + block.Height(), w.Line1[11].Y1()) << name;
      }
    }
    // Printed, the block's red (grey 76) runs down past its text to the lowest hour line.
    Menu(kPrint);
    const std::string down = GreysAt(Word(name).right + 2);
    std::size_t bottom = static_cast<std::size_t>(Word(name).top * kPixelsPerPoint);
    while (bottom < down.size() && static_cast<unsigned char>(down[bottom]) < 240) ++bottom;
    EXPECT_NEAR(static_cast<double>(bottom) / kPixelsPerPoint,
                DarkLinesAt(Word("09:00").right + 20).back(), 1) << name;
  }
}

// An activity before the hour range stands inside the grid from the range's first line,
// below the day headers in the window and below the title in the print, its text on one
// line; one over four days is printed on each of its days the view shows.
TEST_F(ViewPrintTest, AnActivityBeforeTheRangeStandsInsideTheGridUnderTheTitle) {
  Add(3, "06:00", "07:30", "Aube");
  Add(4, "06:00", "07:30", "Départ matinal du fourgon de location");
  planner.Activities.push_back("05.03.2026 18:00\u00A608.03.2026 09:00\u00A6Location\u00A60"
                               "\u00A6255-0");
  mainwindow::frmMain& w = Start();
  const std::tuple<int, int> cases[] = {{kWeekView, 4}, {kWorkWeekView, 2}};
  for (const auto& [view, locationDays] : cases) {
    Menu(view);
    user.Choose(w.cmbHeures, 4);  // 08:00 - 20:00
    for (int i : w.lblActivite.Indexes()) {
      const forms::Label& label = w.lblActivite[i];
      if (i > 0 && label.Caption() == "Nord: Aube") {
        EXPECT_EQ(label.Top(), w.lblHeures[0].Top()) << view;
        EXPECT_GT(label.Top() + label.Height(), w.lblJour[0].Top() + w.lblJour[0].Height());
      }
      // One line high: no second line cut through.
      if (i > 0 && label.Caption().starts_with("Nord: Départ")) {
        EXPECT_TRUE(label.Ellipsis()) << view;
      }
    }
    Menu(kPrint);
    EXPECT_THAT(Text(), ContainsRegex("Nord: Départ[^\n]*…"));
    EXPECT_THAT(Text(), Not(HasSubstr("location")));
    EXPECT_GE(Word("Aube").top, Word("08:00").top - 1) << view;
    EXPECT_GT(Word("Aube").top, Word("Semaine").top + 12) << view;
    EXPECT_EQ(CountOf(Text(), "Nord: Location"), locationDays) << view;
  }
  Keep("print_before_range");
}

// A weekly activity from Friday evening to Monday morning is printed on each of its days
// after its first week, and a nightly one on both days of each night, in the week print;
// the agenda's prints each once a day.
TEST_F(ViewPrintTest, EveryOccurrenceOfAWeeklyActivityOverSeveralDaysIsPrintedWhole) {
  planner.Activities.push_back("06.03.2026 18:00\u00A609.03.2026 06:00\u00A6Garde\u00A60"
                               "\u00A6255-0-2");
  planner.Activities.push_back("01.03.2026 22:00\u00A602.03.2026 06:00\u00A6Nuit\u00A61"
                               "\u00A665535-1-1");
  mainwindow::frmMain& w = Start();
  w.CurrentDate = *runtime::DateTime::Parse("16.03.2026");
  // Project bar entry, view, label, how many times printed.
  const std::tuple<int, int, const char*, int> cases[] = {
      {1, kWeekView, "Nord: Garde", 4},    // Monday 16 and Friday 20 to Sunday 22
      {2, kWeekView, "Sud: Nuit", 14},     // the end and the start of a night each day
      {1, kAgendaView, "Nord: Garde", 16},  // four days for each Friday of March
      {2, kAgendaView, "Sud: Nuit", 31}};
  for (const auto& [project, view, label, printed] : cases) {
    user.Click(w.lblCategories[project]);
    Menu(view);
    Menu(kPrint);
    EXPECT_EQ(CountOf(Text(), label), printed) << label << " " << view;
  }
}

TEST_F(ViewPrintTest, AgendaPrintRunsOverPortraitPagesAndLosesNoLine) {
  mainwindow::frmMain& w = Start();
  for (int day = 1; day <= 31; ++day) {
    Add(day, "08:00", "09:00", "Ouverture " + std::to_string(day));
    Add(day, "10:00", "11:00", "Chantier " + std::to_string(day), 1);
    Add(day, "15:00", "16:00", "Fermeture " + std::to_string(day));
  }
  // A long day that would reach past the foot of the first page.
  for (int k = 1; k <= 15; ++k) Add(14, "12:00", "12:30", "Réunion " + std::to_string(k));
  user.Click(w.lblCategories[0]);
  Menu(kAgendaView);
  w.ScrollAgenda.SetValue(5);  // the list is printed from its top all the same
  Menu(kPrint);

  ASSERT_EQ(world.shell.opened.size(), 1u);
  ExpectValid();
  const std::string info = Info();
  EXPECT_THAT(info, ContainsRegex("Page size: +595.27[0-9]* x 841.89"));
  EXPECT_THAT(info, ContainsRegex("Pages: +3\n"));
  EXPECT_THAT(Text(1), HasSubstr("mars 2026"));
  EXPECT_THAT(Text(1), HasSubstr("Ouverture 1\n"));
  EXPECT_THAT(Text(1), Not(HasSubstr("Réunion")));
  EXPECT_THAT(Text(2), HasSubstr("Réunion 15\n"));
  EXPECT_THAT(Text(3), HasSubstr("Fermeture 31\n"));
  // Every line of the month is printed once, whole, above the foot of its page.
  const std::string text = Text();
  for (int day = 1; day <= 31; ++day)
    for (const char* name : {"Ouverture ", "Chantier ", "Fermeture "})
      EXPECT_EQ(CountOf(text, std::string(name) + std::to_string(day) + "\n"), 1)
          << name << day;
  const std::string words = RunTool("pdftotext -bbox '" + Pdf() + "' -").output;
  const std::regex bottom("yMax=\"([0-9.]+)\"");
  int count = 0;
  for (auto it = std::sregex_iterator(words.begin(), words.end(), bottom);
       it != std::sregex_iterator(); ++it, ++count)
    EXPECT_LT(std::stod((*it)[1]), 841.89) << (*it)[0];
  EXPECT_GT(count, 400);
  Keep("print_agenda");
}

TEST_F(ViewPrintTest, AnAgendaPrintIsTitledWithTheAgendasMonthWhateverViewCameBefore) {
  mainwindow::frmMain& w = Start();
  Add(10, "08:00", "09:00", "Ouverture");
  user.Click(w.lblCategories[0]);
  Menu(kWeekView);
  Menu(kAgendaView);
  Menu(kPrint);
  EXPECT_THAT(Text(1), ContainsRegex("^ *mars 2026\n"));
  EXPECT_THAT(Text(1), Not(HasSubstr("Semaine")));

  user.Click(w.lblRightAg);
  Menu(kPrint);
  EXPECT_THAT(Text(1), ContainsRegex("^ *avril 2026\n"));
}

TEST_F(ViewPrintTest, WhenNoViewerStartsTheUserIsToldWhereTheFileIs) {
  Start();
  world.shell.starts = false;

  Menu(kPrint);

  ExpectValid();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_THAT(world.dialogs.shown[0].prompt, HasSubstr("aucun programme n'a pu l'ouvrir"));
  EXPECT_THAT(world.dialogs.shown[0].prompt, HasSubstr(Pdf()));
}

TEST_F(ViewPrintTest, WhenTheFileCannotBeCreatedTheUserIsToldAndNothingIsWritten) {
  mainwindow::frmMain& w = Start();
  Add(4, "09:00", "10:30", "Pose");
  // A folder standing where the print goes cannot be replaced by a file, whoever runs the
  // test (a read-only folder would not stop the superuser).
  std::filesystem::create_directory(Pdf());
  Menu(kMonthView);
  Menu(kPrint);

  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  const auto& shown = world.dialogs.shown[0];
  EXPECT_EQ(shown.buttons, forms::kCritical);
  EXPECT_THAT(shown.prompt, ::testing::StartsWith("Pagelith.BeginDoc - "));
  EXPECT_THAT(shown.prompt, ::testing::EndsWith(
                                "\nLe fichier est peut-être déjà ouvert par un autre programme"));
  EXPECT_THAT(shown.prompt, HasSubstr(Pdf()));
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_TRUE(std::filesystem::is_empty(Pdf()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / "Quorvane"),
                          std::filesystem::directory_iterator{}),
            3);  // the data file, its lock file and the folder
  // The screen goes on with its own sizes.
  EXPECT_NE(w.lblJour[0].Width(), 2150);
}

TEST_F(ViewPrintTest, AFailureWhileWritingEndsThePrintWithTheLineOfTheStepAndOpensNothing) {
  Start();
  for (int day = 1; day <= 31; ++day) Add(day, "09:00", "10:00", "Tâche " + std::to_string(day));
  Menu(kMonthView);

  // The file may not grow past a few kilobytes: a write fails once the page is under way.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 6000;
  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  Menu(kPrint);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);

  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_THAT(world.dialogs.shown[0].prompt,
              ::testing::MatchesRegex("Erreur à la ligne [0-9]+de la procédure WritePDF"));
  EXPECT_EQ(world.dialogs.shown[0].buttons, forms::kOKOnly);
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_LE(std::filesystem::file_size(Pdf()), 6000u);
}

}  // namespace
