// Where the agenda's boxes fall on its pages.  The agenda is printed from the top of its
// list; the first page leaves 1 cm for the title, and every new page takes up the list
// where the previous one stopped.
#pragma once

namespace agendaexport {

class AgendaPages {
 public:
  // `printableHeight`: the height of the area inside the margins, in cm; `scrolled`: how
  // far up the window has scrolled the list, in cm, which the print takes back.
  AgendaPages(bool agenda, float printableHeight, float scrolled);

  // The vertical offset of the current page, added to every y of a box or line.
  float Offset() const { return offset_; }
  int Page() const { return page_; }

  // Before a day heading: true when the box drawn last ends below 27 cm, so that a day
  // does not begin at the foot of a page.  The offset then moves 27 cm up.
  bool BreakBeforeDay();
  // Before a box whose page y (offset included) is `y`: true when the box would pass the
  // bottom of the printable area and does not already stand at the top of a page.  The
  // offset then moves so that the box stands at the top of the new page.
  bool BreakBeforeBox(float y, float h);
  // The box just drawn, at page y.
  void Drawn(float y, float h);

 private:
  float printableHeight_;
  float offset_;
  int page_ = 1;
  float lastY_ = 0;
  float lastH_ = 0;
};

}  // namespace agendaexport
