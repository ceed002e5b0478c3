// The captions built from the terms in force, with French gender agreement.
#include "app/mainwindow/frmMain.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

using runtime::InStr;
using runtime::LCase;
using runtime::Len;
using runtime::Replace;

bool Feminine(const store::Terms& terms) { return terms[2] == "F"; }
bool HasSlash(const std::string& text) { return InStr(text, "/") > 0; }

}  // namespace

void frmMain::RefreshTermCaptions() {
  const store::Terms& p = planner_.ProjectTerms;
  const store::Terms& a = planner_.ActivityTerms;
  const store::Terms& r = planner_.ResourceTerms;

  lblAffiche[6].SetCaption(p[0]);
  lblAffiche[1].SetCaption("Agenda du mois");
  lblAffiche[5].SetCaption(Replace(r[0], "/ ", ""));
  lblAffiche[4].SetCaption("Ajouter un" + std::string(Feminine(a) ? "e " : " ") + LCase(a[1]));
  // Long terms wrap to two lines: the caption moves up to stay centred on its entry.
  lblAffiche[5].SetTop(InStr(r[0], "/") >= 2 && Len(r[0]) >= 19 ? 8960 : 9120);
  lblAffiche[4].SetTop(Len(a[1]) >= 9 ? 3200 : 3360);

  const std::string addResource =
      HasSlash(r[1]) ? "Ajouter " + LCase(r[1])
                     : "Ajouter un" + std::string(Feminine(r) ? "e " : " ") + LCase(r[1]);
  cmdNewRess.SetCaption(addResource);
  cmdAddRess.SetCaption(addResource);
  const std::string resources = HasSlash(r[1]) ? Replace(r[0], " / ", "/") : r[0];
  optRess[0].SetCaption("Uniquement " + resources + " acti" + (Feminine(r) ? "ves " : "fs"));
  optRess[1].SetCaption(resources + " désactivé" + (Feminine(r) ? "es " : "s"));

  cmdAddCat.SetCaption("Ajouter un" + std::string(Feminine(p) ? "e" : "") + " " + LCase(p[1]));
  fraActivite.SetCaption(ActivityEditorCaption());
  fraCategorie.SetCaption(p[0]);
  fraRessources.SetCaption(r[0]);
  Label5.SetCaption(p[1]);
  Label3.SetCaption(r[0]);

  MSFlexGrid1.SetTextMatrix(0, 2, a[0]);
  MSFlexGrid1.SetTextMatrix(0, 3, p[0]);
  for (int n = 1; n <= 10; ++n) MSFlexGrid1.SetTextMatrix(0, n + 4, r[1] + std::to_string(n));
}

}  // namespace mainwindow
