#include "forms/qt/backend.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>

namespace forms::qt {

Backend::Backend(QString pictureFolder) : pictureFolder_(std::move(pictureFolder)) {
  // The windows were designed with these faces; the metric-compatible free ones stand in.
  QFont::insertSubstitution("Arial", "Liberation Sans");
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
  QFont::insertSubstitution("Microsoft Sans Serif", "Liberation Sans");
  QFont::insertSubstitution("Times New Roman", "Liberation Serif");
  QFont::insertSubstitution("Courier New", "Liberation Mono");
  QApplication::setFont(ToQFont(Font{}));
  // The windows speak French whatever the system's language: calendars, month and day names.
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  // And Qt's own texts, such as the text fields' menus.
  if (qtTexts_.load(QLocale(), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexts_);
}

FormWindow& Backend::Attach(Form& form) {
  if (auto* window = dynamic_cast<FormWindow*>(form.Observer())) return *window;
  form.SetMetrics(metrics_);
  return *new FormWindow(form, pictureFolder_);
}

int Backend::Run(Form& main) {
  FormWindow& window = Attach(main);
  window.SyncNow();
  if (!main.Loaded()) return 0;
  QApplication::setQuitOnLastWindowClosed(true);
  return QApplication::exec();
}

Services Backend::services() {
  return Services{dialogs_, clipboard_, screen_, eventLoop_, shell_, clock_, random_, metrics_};
}

}  // namespace forms::qt
