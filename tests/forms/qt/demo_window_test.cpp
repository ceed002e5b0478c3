// A small window shown by the Qt backend off screen: what a person would see, and where the
// mouse goes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/qt/backend.h"
#include "forms/qt/units.h"
#include "form_window_fixture.h"

namespace {

constexpr forms::Color kRed = 0x0000FF;     // red in the low byte
constexpr forms::Color kBlue = 0xC06700;    // the menu captions' blue

struct Demo : forms::Form {
  Demo() : Form("frmDemo") {
    SetCaption("Démo");
    SetBorderStyle(forms::kBorderSizable);
    SetScaleSize(6000, 4500);  // 400 x 300 pixels
    SetBackColor(forms::kWhite);

    fraCalendar.Move(300, 600, 5400, 3600);
    fraCalendar.SetCaption("Calendrier");
    fraCalendar.SetBackColor(forms::kWhite);

    shMenu.Move(240, 1300, 3000, 735);
    shMenu.SetShape(forms::kShapeRoundedRectangle);
    shMenu.SetFillStyle(forms::kFillSolid);
    shMenu.SetFillColor(forms::kButtonFace);
    shMenu.SetBorderColor(0xC0C0C0);

    lblTitre.Move(300, 120, 3000, 400);
    lblTitre.SetCaption("Quorvane");
    lblTitre.SetFont({"Arial", 15.75, true});
    lblTitre.SetForeColor(kRed);
    lblTitre.SetBackStyle(forms::kTransparent);

    lblJour[0].Move(240, 360, 1500, 600);
    lblJour[0].SetBackColor(0xF5E6D3);
    lblJour[0].SetForeColor(kBlue);
    lblJour[0].SetFont({"Arial", 9.75, true});
    lblJour[0].SetAlignment(forms::kAlignCenter);
    lblJour[0].SetCaption("Lundi");
    for (int i = 1; i <= 2; ++i) {
      forms::Label& day = lblJour.Load(i);
      day.SetLeft(240 + 1600 * i);
      day.SetCaption(i == 1 ? "Mardi" : "Mercredi");
      day.SetVisible(true);
    }
    lblJour.MouseDown = [this](int index, int button, int, double x, double y) {
      presses.push_back({index, button, x, y});
    };

    Line1.SetX1(240);
    Line1.SetY1(1100);
    Line1.SetX2(5040);
    Line1.SetY2(1100);
    Line1.SetBorderColor(0x808080);

    cmbHeures.Move(240, 2900, 2400, 315);
    for (const char* item : {"24 heures", "07:00 - 19:00", "08:00 - 20:00"})
      cmbHeures.AddItem(item);
    cmbHeures.Click = [this] { choices.push_back(cmbHeures.Text()); };

    cmdValider.Move(3000, 2800, 1800, 495);
    cmdValider.SetCaption("Valider");

    Resize = [this] { sizes.push_back(ScaleWidth()); };
  }

  struct Press {
    int index;
    int button;
    double x;
    double y;
  };

  forms::Label lblTitre{*this, "lblTitre"};
  forms::Frame fraCalendar{*this, "fraCalendar"};
  forms::Shape shMenu{fraCalendar, "shMenu"};
  forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
  forms::Line Line1{fraCalendar, "Line1"};
  forms::ComboBox cmbHeures{fraCalendar, "cmbHeures"};
  forms::CommandButton cmdValider{fraCalendar, "cmdValider"};
  std::vector<Press> presses;
  std::vector<std::string> choices;
  std::vector<double> sizes;
};

// Runs the event loop until `done` holds, for at most a minute (a bound that only a fault
// reaches, however busy the machine).
void WaitUntil(const std::function<bool()>& done) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < 60000)
    QApplication::processEvents();
}

class DemoWindow : public FormWindowTest<Demo> {
 protected:
  QImage Screenshot() { return window_->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // Pixels of `rect` (pixels of the window) whose colour is within `tolerance` of `color`.
  static int CountColour(const QImage& image, const QRect& rect, QColor color,
                         int tolerance = 40) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        const QColor pixel = image.pixelColor(x, y);
        if (std::abs(pixel.red() - color.red()) + std::abs(pixel.green() - color.green()) +
                std::abs(pixel.blue() - color.blue()) <=
            tolerance)
          ++count;
      }
    }
    return count;
  }

};

TEST_F(DemoWindow, ShowsWhatTheFormHoldsAtFifteenTwipsAPixel) {
  const QImage image = Screenshot();
  QDir().mkpath(QUORVANE_BUILD_DIR "/screenshots");
  ASSERT_TRUE(image.save(QUORVANE_BUILD_DIR "/screenshots/forms_demo.png"));

  EXPECT_EQ(window_->size(), QSize(400, 300));
  EXPECT_EQ(window_->windowTitle(), QString("Démo"));

  // The title's caption is drawn in its red, bold, on the white form.
  const QRect title(20, 8, 200, 26);
  EXPECT_GT(CountColour(image, title, QColor(255, 0, 0)), 60);
  EXPECT_EQ(CountColour(image, QRect(0, 0, 400, 7), QColor(255, 0, 0)), 0);

  // The shape's button-face fill is resolved when painted.
  const QPoint frame(20, 40);
  EXPECT_EQ(image.pixelColor(frame.x() + 100, frame.y() + 110), QColor(240, 240, 240));

  // The loaded day labels stand at their places in the frame, in the template's colours.
  const QRect mardi(frame.x() + 123, frame.y() + 24, 100, 40);
  EXPECT_GT(CountColour(image, mardi, QColor(0xD3, 0xE6, 0xF5), 10), 2000);
  EXPECT_GT(CountColour(image, mardi, QColor(0x00, 0x67, 0xC0), 120), 10);

  // The grid line, grey, across the frame.
  EXPECT_EQ(image.pixelColor(frame.x() + 100, frame.y() + 73), QColor(128, 128, 128));
}

TEST_F(DemoWindow, RoutesTheMouseToTheLabelUnderItInTwipsRelativeToIt) {
  QWidget* calendar = window_->WidgetOf(form_->lblJour[2]);
  ASSERT_NE(calendar, nullptr);
  // lblJour(2) starts at 3440 twips (pixel 229.3, drawn from 229) and 360 (pixel 24).
  const QPointF at(232, 26);
  QMouseEvent press(QEvent::MouseButtonPress, at, calendar->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(calendar, &press);
  ASSERT_EQ(form_->presses.size(), 1u);
  EXPECT_EQ(form_->presses[0].index, 2);
  EXPECT_EQ(form_->presses[0].button, forms::kLeftButton);
  EXPECT_DOUBLE_EQ(form_->presses[0].x, 232 * 15 - 3440);
  EXPECT_DOUBLE_EQ(form_->presses[0].y, 26 * 15 - 360);

  // Brought behind another label, it no longer takes the press where they overlap.
  form_->lblJour[1].SetWidth(3500);
  form_->lblJour[1].ZOrder(0);
  window_->SyncNow();
  QApplication::sendEvent(calendar, &press);
  EXPECT_EQ(form_->presses.back().index, 1);
}

TEST_F(DemoWindow, KeepsItsWidgetsAndFollowsTheModel) {
  auto* combo = qobject_cast<QComboBox*>(window_->WidgetOf(form_->cmbHeures));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 3);

  emit combo->activated(2);  // the user picks an entry
  EXPECT_EQ(form_->cmbHeures.ListIndex(), 2);
  form_->cmbHeures.SetListIndex(1);  // the program picks another
  window_->SyncNow();
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(window_->WidgetOf(form_->cmbHeures), combo);
  EXPECT_EQ(form_->choices, (std::vector<std::string>{"08:00 - 20:00", "07:00 - 19:00"}));

  form_->fraCalendar.SetVisible(false);
  window_->SyncNow();
  EXPECT_FALSE(combo->isVisibleTo(window_));
  EXPECT_TRUE(form_->cmbHeures.Visible());
}

TEST_F(DemoWindow, AppliesAUsersResizeOnceItSettles) {
  form_->sizes.clear();
  // One resize after the other, with no event handled between them that a busy machine
  // could delay past the settling time.
  for (int width = 410; width <= 450; width += 10) window_->resize(width, 320);
  WaitUntil([this] { return !form_->sizes.empty(); });
  EXPECT_EQ(form_->sizes, (std::vector<double>{450 * 15}));
  EXPECT_DOUBLE_EQ(form_->ScaleHeight(), 320 * 15);
}

}  // namespace
