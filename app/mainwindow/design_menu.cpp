// The window itself, the side menu and the title bar.
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/looks.h"

namespace mainwindow {

namespace {

constexpr double kMenuLeft = 100;
constexpr double kMenuWidth = 3060;
constexpr double kMenuHeight = 735;
constexpr double kTitleMenuHeight = 630;

struct MenuEntry {
  int index;
  const char* caption;
  const char* picture;
  double top;  // of the shape; the caption stands 225 lower
};

// Top to bottom: the project panel with the project bar under it, a new activity, the four
// views under the heading "Affichage", the resource panel with its list, the settings.
constexpr MenuEntry kSideEntries[] = {
    {6, "Projets", "projects.png", 120},
    {4, "Ajouter une tâche", "add.png", 3135},
    {0, "Mois", "month.png", 4320},
    {2, "Semaine", "week.png", 5160},
    {3, "Semaine de travail", "workweek.png", 6000},
    {1, "Agenda du mois", "agenda.png", 6840},
    {5, "Ressources", "resources.png", 8895},
    {8, "Réglages", "settings.png", 11520},
};

}  // namespace

void frmMain::DesignWindow() {
  SetCaption("Quorvane");
  SetBorderStyle(forms::kBorderSizable);
  SetBackColor(forms::kWhite);
  Move(0, 0, 21600, 13200);
}

void frmMain::DesignSideMenu() {
  fraMenus.Move(0, 0, 3255, Height());
  fraMenus.SetBorderStyle(0);
  fraMenus.SetBackColor(forms::kWhite);

  // The template's looks first: the other entries are loaded as copies of it.
  shMenu[0].SetShape(forms::kShapeRoundedRectangle);
  shMenu[0].SetFillStyle(forms::kFillSolid);
  shMenu[0].SetBorderColor(kLightGrey);
  for (const MenuEntry& entry : kSideEntries) {
    const int k = entry.index;
    forms::Shape& shape = k == 0 ? shMenu[0] : shMenu.Load(k);
    forms::Image& picture = k == 0 ? imgMenu[0] : imgMenu.Load(k);
    forms::Label& caption = k == 0 ? lblAffiche[0] : lblAffiche.Load(k);
    shape.Move(kMenuLeft, entry.top, kMenuWidth, kMenuHeight);
    picture.Move(kMenuLeft + 45, entry.top + 127, 480, 480);
    picture.SetPicture(entry.picture);
    DesignCaption(caption, entry.caption, kMenuLeft + 720, entry.top + 225, 2280, 540,
                  kArial12, kMenuBlue);
    caption.SetWordWrap(true);
    caption.SetMousePointer(forms::kHandPointer);
    picture.SetMousePointer(forms::kHandPointer);
    // The month view is the first view.
    shape.SetFillColor(k == 0 ? forms::kButtonFace : forms::kWhite);
    shape.SetVisible(true);
    picture.SetVisible(true);
    caption.SetVisible(true);
  }
  DesignCaption(lblAffichage, "Affichage", 240, 3960, 2800, 285, kArial975Bold, kGrey);

  fraProjets.Move(kMenuLeft, 900, 2775, 1867);
  fraProjets.SetBorderStyle(0);
  fraProjets.SetBackColor(forms::kWhite);
  lblCategories[0].Move(110, 60, 2500, 255);
  lblCategories[0].SetCaption("Tout");
  lblCategories[0].SetFont({"Arial", 9.75});
  lblCategories[0].SetBackColor(forms::kWhite);
  lblCategories[0].SetForeColor(forms::kBlack);
  lblCategories[0].SetMousePointer(forms::kHandPointer);
  ShSelProjet.Move(55, 10, 2720, 350);
  ShSelProjet.SetShape(forms::kShapeRoundedRectangle);
  ShSelProjet.SetBorderColor(kMenuBlue);
  ShSelProjet.SetBorderWidth(2);
  scrollCat.Move(2900, 900, 255, 1867);
  scrollCat.SetOrientation(forms::kVertical);
  scrollCat.SetMax(0);

  lstRessources.Move(kMenuLeft, 9660, 3015, 1470);
  lstRessources.SetBackColor(forms::kWhite);
  lstRessources.SetForeColor(forms::kBlack);
  lstRessources.SetFont({"Arial", 9.75});
}

void frmMain::DesignTitleBar() {
  fraTitre.Move(13000, 0, Width() - 13300, 735);
  fraTitre.SetBorderStyle(0);
  fraTitre.SetBackColor(forms::kWhite);
  DesignCaption(lblTitre, "", 120, kTitleTop, kTitleWidth, kTitleHeight, kTitleFont, kMenuBlue);

  // The PDF entry; the layout keeps it 4500 twips left of the bar's right edge.
  forms::Shape& shape = shMenu.Load(7, fraTitre);
  forms::Image& picture = imgMenu.Load(7, fraTitre);
  forms::Label& caption = lblAffiche.Load(7, fraTitre);
  const double left = fraTitre.Width() - 4500;
  shape.Move(left, 50, kMenuWidth, kTitleMenuHeight);
  shape.SetFillColor(forms::kWhite);
  picture.Move(left + 45, 125, 480, 480);
  picture.SetPicture("pdf.png");
  caption.Move(left + 720, 220);
  caption.SetCaption("Créer un PDF");
  shape.SetVisible(true);
  picture.SetVisible(true);
  caption.SetVisible(true);
}

}  // namespace mainwindow
