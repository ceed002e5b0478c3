#include "forms/qt/services.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "forms/qt/backend.h"
#include "forms/qt/units.h"

namespace forms::qt {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString TitleOr(const std::string& title) {
  return title.empty() ? QCoreApplication::applicationName() : Q(title);
}

QMessageBox::Icon IconOf(int buttons) {
  switch (buttons & kIconMask) {
    case kCritical: return QMessageBox::Critical;
    case kQuestion: return QMessageBox::Question;
    case kExclamation: return QMessageBox::Warning;
    case kInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

struct ButtonChoice {
  const char* text;
  QMessageBox::ButtonRole role;
  int answer;
};

std::vector<ButtonChoice> ButtonsOf(int buttons) {
  const ButtonChoice ok{"OK", QMessageBox::AcceptRole, kOK};
  const ButtonChoice cancel{"Annuler", QMessageBox::RejectRole, kCancel};
  const ButtonChoice yes{"Oui", QMessageBox::YesRole, kYes};
  const ButtonChoice no{"Non", QMessageBox::NoRole, kNo};
  const ButtonChoice retry{"Recommencer", QMessageBox::AcceptRole, kRetry};
  switch (buttons & kButtonsMask) {
    case kOKCancel: return {ok, cancel};
    case kAbortRetryIgnore:
      return {{"Abandonner", QMessageBox::RejectRole, kAbort}, retry,
              {"Ignorer", QMessageBox::AcceptRole, kIgnore}};
    case kYesNoCancel: return {yes, no, cancel};
    case kYesNo: return {yes, no};
    case kRetryCancel: return {retry, cancel};
    default: return {ok};
  }
}

}  // namespace

int QtDialogs::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  QMessageBox box(IconOf(buttons), TitleOr(title), Q(prompt), QMessageBox::NoButton,
                  QApplication::activeWindow());
  std::vector<std::pair<QAbstractButton*, int>> answers;
  for (const ButtonChoice& choice : ButtonsOf(buttons))
    answers.emplace_back(box.addButton(QString::fromUtf8(choice.text), choice.role), choice.answer);
  const bool second = (buttons & kDefaultButtonMask) == kDefaultButton2 && answers.size() > 1;
  box.setDefaultButton(static_cast<QPushButton*>(answers[second ? 1 : 0].first));
  box.exec();
  for (const auto& [button, answer] : answers) {
    if (box.clickedButton() == button) return answer;
  }
  // Closed without a button: the answer of Cancel, or of the only button.
  const int buttonSet = buttons & kButtonsMask;
  if (buttonSet == kYesNo) return kNo;
  return buttonSet == kOKOnly ? kOK : kCancel;
}

std::string QtDialogs::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
  QInputDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(TitleOr(title));
  dialog.setLabelText(Q(prompt));
  dialog.setTextValue(Q(defaultText));
  dialog.setOkButtonText("OK");
  dialog.setCancelButtonText("Annuler");
  if (dialog.exec() != QDialog::Accepted) return "";
  return dialog.textValue().toStdString();
}

void QtClipboard::Clear() { QApplication::clipboard()->clear(); }

void QtClipboard::SetText(const std::string& text) {
  QApplication::clipboard()->setText(Q(text));
}

std::string QtClipboard::GetText() { return QApplication::clipboard()->text().toStdString(); }

void QtScreen::SetMousePointer(int pointer) {
  if (pointer == pointer_) return;
  if (pointer_ != kDefaultPointer) QApplication::restoreOverrideCursor();
  if (pointer != kDefaultPointer) QApplication::setOverrideCursor(CursorFor(pointer));
  pointer_ = pointer;
}

void QtEventLoop::DoEvents() { QCoreApplication::processEvents(); }

void QtEventLoop::ShowModal(Form& form) { backend_.Attach(form).RunModal(); }

void QtEventLoop::Repeat(int milliseconds, std::function<bool()> step) {
  // One shot at a time, started again once the step has returned: a step that opens a
  // modal box is not called again from the box's own event loop.
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setSingleShot(true);
  timer->setInterval(milliseconds);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, step = std::move(step)] {
    if (step())
      timer->start();
    else
      timer->deleteLater();
  });
  timer->start();
}

void QtShell::Open(const std::string& target, const std::vector<std::string>& arguments,
                   const std::string& workingFolder, std::function<void()> notOpened) {
  if (!notOpened) notOpened = [] {};
  if (!arguments.empty()) {
    QStringList list;
    for (const std::string& argument : arguments) list << Q(argument);
    if (!QProcess::startDetached(Q(target), list, Q(workingFolder))) notOpened();
    return;
  }
  // Without a parent: a program that ends leaves the opener (and the viewer it may be
  // running) alone.
  auto* opener = new QProcess;
  opener->setWorkingDirectory(Q(workingFolder));
  QObject::connect(opener, &QProcess::errorOccurred, [opener, notOpened](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    notOpened();
    opener->deleteLater();
  });
  QObject::connect(opener, &QProcess::finished,
                   [opener, notOpened](int exitCode, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || exitCode != 0) notOpened();
                     opener->deleteLater();
                   });
  opener->start("xdg-open", {Q(target)});
}

// Whole pixels, rounded up: a label sized to its text must hold all of it once its size is
// taken to pixels.
double QtTextMetrics::TextWidth(const Font& font, std::string_view line) const {
  const QFontMetricsF metrics(ToQFont(font));
  return Twips(std::ceil(metrics.horizontalAdvance(QString::fromUtf8(line.data(), line.size()))));
}

// The distance from one line to the next, as the lines of a caption are drawn.
double QtTextMetrics::LineHeight(const Font& font) const {
  return Twips(std::ceil(QFontMetricsF(ToQFont(font)).lineSpacing()));
}

}  // namespace forms::qt
