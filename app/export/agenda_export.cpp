#include "app/export/agenda_export.h"

#include <exception>
#include <source_location>
#include <string_view>
#include <vector>

#include "app/export/agenda_pages.h"
#include "app/export/printed_control.h"
#include "forms/frame.h"
#include "forms/label.h"
#include "forms/line.h"
#include "forms/scroll_bar.h"
#include "pdf/pagelith.h"
#include "runtime/text.h"

namespace agendaexport {
namespace {

constexpr char kFileName[] = "/Quorvane.pdf";
constexpr char kHeldMessage[] = "Le fichier est peut-être déjà ouvert par un autre programme";
constexpr char kDocText[] = "Quorvane";
constexpr char kEllipsis[] = "\u2026";
constexpr int kCentimetres = 3;
constexpr int kCustomPaper = 255;
constexpr float kTitleHeight = 1.0f;
constexpr int kTitleAlign = 4;
constexpr int kNoFrame = 1;
constexpr int kFilledTopSide = 6;
constexpr int kTopSide = 4;
constexpr float kLineWidth = 0.01f;

const forms::Control* Named(const forms::Form& window, std::string_view name) {
  for (const forms::Control* control : window.AllControls())
    if (control->Name() == name && control->Index() < 0) return control;
  return nullptr;
}

bool FlaggedVisible(const forms::Form& window, std::string_view name) {
  const forms::Control* frame = Named(window, name);
  return frame != nullptr && frame->Visible();
}

std::string CaptionOf(const forms::Form& window, std::string_view name) {
  const forms::Control* control = Named(window, name);
  if (control == nullptr || control->Kind() != forms::ControlKind::kLabel) return "";
  return static_cast<const forms::Label*>(control)->Caption();
}

// Controls of the window that are never printed, whatever their frame.
bool SkippedByName(const std::string& name) {
  return name == "Inet1" || name == "CommonDialog1" || name == "lblAffiche" ||
         name == "lblTitre" || name.starts_with("mnu");
}

// The frame that holds the control directly, when it is one of the two printed frames and
// flagged visible.  Controls of the frames inside them (the month and week bars) are left
// out.
bool InPrintedFrame(const forms::Control& control) {
  const forms::Control* frame = control.Parent().AsControl();
  return frame != nullptr && (frame->Name() == "fraCalendar" || frame->Name() == "fraAgenda") &&
         frame->Visible();
}

// The text as it fits on one line `width` wide in the current font: whole, or its longest
// start that leaves room for "…" after it.
std::string OnOneLine(const pdf::Pagelith& doc, const std::string& text, float width) {
  // A line exactly as wide as the box may still be broken by the box's layout.
  const float room = width * 0.98f;
  if (doc.GetTextWidth(text) <= room) return text;
  int low = 0;
  int high = runtime::Len(text);
  while (low < high) {
    const int middle = (low + high + 1) / 2;
    if (doc.GetTextWidth(runtime::Left(text, middle) + kEllipsis) <= room)
      low = middle;
    else
      high = middle - 1;
  }
  return runtime::Left(text, low) + kEllipsis;
}

// A caption the window shows over several lines, on one line: the blanks at each break are
// the break's own, so one blank stands for it.
std::string JoinedLines(const std::string& caption) {
  std::vector<std::string> lines = runtime::Split(caption, "\n");
  for (std::string& line : lines) line = runtime::Trim(line);
  return runtime::Join(lines, " ");
}

// Where the export stands, for the message of a failure: the line of the step under way.
class Progress {
 public:
  void At(std::source_location where = std::source_location::current()) {
    line_ = static_cast<int>(where.line());
  }
  int Line() const { return line_; }

 private:
  int line_ = 0;
};

class ViewPrint {
 public:
  ViewPrint(const forms::Form& window, pdf::Pagelith& doc, Progress& progress)
      : window_(window),
        doc_(doc),
        progress_(progress),
        agenda_(FlaggedVisible(window, "fraAgenda")),
        month_(FlaggedVisible(window, "fraMois")),
        week_(FlaggedVisible(window, "fraSemaine")) {}

  bool Agenda() const { return agenda_; }

  // Document properties, centimetres, A4 (portrait for the agenda, else landscape),
  // margins of 0.5 cm except at the bottom, content clipped to them.
  void SetUp() {
    doc_.SetDocProperty(kDocText, kDocText, kDocText, kDocText, kDocText, "");
    doc_.SetScale(kCentimetres, 1.0f);
    if (agenda_)
      doc_.SetPaperSize(kCustomPaper, 21.0f, 29.7f);
    else
      doc_.SetPaperSize(kCustomPaper, 29.7f, 21.0f);
    doc_.SetMargins(0.5f, 0.5f, 0.5f, 0, true);
    doc_.SetPageView(0);
    doc_.SetCompression(0, 5, 0);
    doc_.SetPDFa(true);
  }

  void Print() {
    progress_.At();
    int first = 0;
    doc_.BeginPage(first);
    doc_.SetColorLine("Black");
    doc_.SetColorText("Black");
    doc_.SetColorFill("Black");
    doc_.SetFont("Arial", 12, 0, 0);

    progress_.At();
    DrawTitle();
    AgendaPages pages(agenda_, doc_.GetPageHeight(true), AgendaScrolled());
    for (const forms::Control* control : window_.AllControls()) {
      progress_.At();
      PrintControl(*control, pages);
    }

    progress_.At();
    doc_.EndPage();
    doc_.EndDoc();
  }

 private:
  // The title label's caption and the caption of the bar over what is printed: the
  // agenda's own month bar, or the calendar's month or week bar.  The calendar bars keep
  // their flags while the agenda is shown, so the agenda is asked first.
  void DrawTitle() {
    std::string title = runtime::Replace(CaptionOf(window_, "lblTitre"), "\n", "") + " ";
    if (agenda_)
      title += CaptionOf(window_, "lblMoisAg");
    else if (month_)
      title += CaptionOf(window_, "lblMois");
    else if (week_)
      title += JoinedLines(CaptionOf(window_, "lblSemaine"));
    else
      return;
    doc_.DrawTextBox(0, 0, doc_.GetPageWidth(false), kTitleHeight, title, kTitleAlign,
                     kNoFrame);
  }

  // The agenda list scrolls inside its frame, 300 twips a step of its scroll bar.
  float AgendaScrolled() const {
    const forms::Control* bar = Named(window_, "ScrollAgenda");
    if (bar == nullptr || bar->Kind() != forms::ControlKind::kFlatScrollBar) return 0;
    return static_cast<float>(static_cast<const forms::FlatScrollBar*>(bar)->Value()) * 300 /
           kTwipsPerCm;
  }

  void PrintControl(const forms::Control& control, AgendaPages& pages) {
    const std::string& name = control.Name();
    if (SkippedByName(name)) return;
    if (agenda_ && name == "lblDate" && pages.BreakBeforeDay()) NewPage();
    if (!InPrintedFrame(control) || !control.Visible()) return;

    if (control.Kind() == forms::ControlKind::kLine) {
      DrawPrintedLine(LineOf(static_cast<const forms::Line&>(control)), pages.Offset());
      return;
    }
    // Labels outside any indexed set are the hover pop-ups, not part of the view.
    if (control.Index() < 0) return;
    std::optional<PrintedBox> box = BoxOf(control);
    if (!box) return;
    if (agenda_ && pages.BreakBeforeBox(box->y + pages.Offset(), box->h)) NewPage();
    box->y += pages.Offset();
    DrawPrintedBox(*box);
    pages.Drawn(box->y, box->h);
  }

  void NewPage() {
    doc_.EndPage();
    int appended = 0;
    doc_.BeginPage(appended);
  }

  void DrawPrintedBox(const PrintedBox& box) {
    doc_.SetFont(box.fontName, box.fontSize, 0, 0);
    const std::string text = box.oneLine ? OnOneLine(doc_, box.text, box.w) : box.text;
    doc_.SetColorText(box.textColour);
    doc_.SetColorFill(box.fillColour);
    doc_.SetColorLine(box.lineColour);
    doc_.SetLineWidth(kLineWidth);
    doc_.SetBoxStyle(1.0f, 0, 0, 0, 0, 0, kTopSide, 0);
    doc_.DrawTextBox(box.x, box.y, box.w, box.h, text, box.align, kFilledTopSide);
  }

  void DrawPrintedLine(const PrintedLine& line, float offset) {
    doc_.SetLineWidth(kLineWidth);
    doc_.SetColorLine(line.colour);
    doc_.SetDash(line.dash, 0);
    doc_.DrawLine(line.x1, line.y1 + offset, line.x2, line.y2 + offset, 0);
    doc_.SetDash("", 0);
  }

  const forms::Form& window_;
  pdf::Pagelith& doc_;
  Progress& progress_;
  const bool agenda_;
  const bool month_;
  const bool week_;
};

}  // namespace

void WritePDF(const forms::Form& window, const std::string& dataFolder,
              forms::Dialogs& dialogs, forms::Shell& shell) {
  std::string fileName = dataFolder + kFileName;
  pdf::Pagelith doc;
  Progress progress;
  ViewPrint print(window, doc, progress);
  print.SetUp();

  doc.BeginDoc(fileName);
  if (doc.ErrNumber() != 0) {
    dialogs.MsgBox(doc.ErrSource() + " - " + doc.ErrDescription() + "\n" + kHeldMessage,
                   forms::kCritical);
    return;
  }
  try {
    print.Print();
  } catch (const std::exception&) {
    // Whatever stands written is closed as a document; a second failure here changes
    // nothing of what the user is told.
    try {
      doc.EndPage();
      doc.EndDoc();
    } catch (const std::exception&) {
    }
    dialogs.MsgBox("Erreur à la ligne " + std::to_string(progress.Line()) +
                   "de la procédure WritePDF");
    return;
  }
  shell.Open(fileName, {}, "", [&dialogs, fileName] {
    dialogs.MsgBox("Le fichier PDF a été créé, mais aucun programme n'a pu l'ouvrir :\n" + fileName,
                   forms::kInformation);
  });
}

}  // namespace agendaexport
