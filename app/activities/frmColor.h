// The colour chooser: a modal dialog in which the user picks a project's colour from the
// 48-colour palette, three red/green/blue sliders, three numeric boxes or a strip of lighter
// and darker tones, and the colour of the text written on it (automatic, black or white).
// "Sélectionner" writes the result into the project panel's swatch; closing the window any
// other way leaves the swatch as it was, and `Selected()` tells the two apart.
//
//   activities::frmColor dialog(planner, {lblColor, lblStringProj, Shape1}, window,
//                               fraActivite, metrics);
//   eventLoop.ShowModal(dialog);
#pragma once

#include "app/store/planner.h"
#include "forms/forms.h"

namespace activities {

// The project panel's controls that "Sélectionner" writes into.
struct ProjectSwatch {
  forms::Label& lblColor;       // takes the colour as its background
  forms::Label& lblStringProj;  // takes the text colour
  forms::Shape& Shape1;         // the "no colour" hatching, hidden
};

class frmColor : public forms::Form {
 public:
  // The dialog starts from the planner's ChosenColour and ChosenTextFlag.  It stands centred
  // over `centreOver` (a frame of `owner`), level with its top.
  frmColor(const store::Planner& planner, ProjectSwatch swatch, const forms::Form& owner,
           const forms::Control& centreOver, const forms::TextMetrics& metrics);

  // Whether the dialog closed through "Sélectionner".
  bool Selected() const { return selected_; }

  // The colour being chosen.
  int CurrentRed = 0;
  int CurrentGreen = 0;
  int CurrentBlue = 0;

  forms::Frame fraColors{*this, "fraColors"};
  forms::ControlArray<forms::Label> lblColor{fraColors, "lblColor"};
  forms::Shape shSelect{fraColors, "shSelect"};
  forms::Label lblNuances{*this, "lblNuances"};

  // The lower panel, out of sight until "Nuances" is clicked.
  forms::Frame Frame1{*this, "Frame1"};
  forms::ControlArray<forms::Label> lbl{Frame1, "lbl"};
  forms::ControlArray<forms::TextBox> txtC{Frame1, "txtC"};
  forms::ControlArray<forms::Label> lblCol{Frame1, "lblCol"};
  forms::ControlArray<forms::Image> imgCursor{Frame1, "imgCursor"};
  forms::Shape Shape1{Frame1, "Shape1"};
  forms::Label lblChoice{Frame1, "lblChoice"};
  forms::Label lblString{Frame1, "lblString"};
  forms::ControlArray<forms::Label> lblDegrade{Frame1, "lblDegrade"};
  forms::Label lblSelDegrade{Frame1, "lblSelDegrade"};
  forms::Label Label1{Frame1, "Label1"};
  forms::ControlArray<forms::OptionButton> optPol{Frame1, "optPol"};

  // "Sélectionner": element 0 under the palette, element 1 in the lower panel.
  forms::ControlArray<forms::CommandButton> cmdOk{*this, "cmdOk"};

 private:
  void Design();
  void Connect();

  void Form_Load();
  void Form_Resize();
  void Form_KeyDown(int& keyCode, int shift);
  // Takes `colour` as the current colour and refreshes with text colour `mode` (0 and 1
  // automatic, 2 black, 3 white).
  void SetColor(int colour, int mode);
  // Shows the current colour everywhere; the shade strip is kept as it is with `keepShades`.
  void UpdateColor(int mode, bool keepShades);
  void DrawGradient(int colour);
  int ValueToCursorTop(int value) const;
  void SetComponent(int index, int value);
  void TakeColour(forms::Color colour);

  void lblColor_Click(int index);
  void imgCursor_MouseDown(int index, int button, int shift, double x, double y);
  void imgCursor_MouseMove(int index, int button, int shift, double x, double y);
  void imgCursor_MouseUp(int index, int button, int shift, double x, double y);
  void lblCol_MouseDown(int index, int button, int shift, double x, double y);
  void txtC_KeyPress(int index, int& keyAscii);
  void txtC_LostFocus(int index);
  void optPol_Click(int index);
  void lblDegrade_Click(int index);
  void lblSelDegrade_MouseDown(int button, int shift, double x, double y);
  void lblSelDegrade_MouseMove(int button, int shift, double x, double y);
  void lblSelDegrade_MouseUp(int button, int shift, double x, double y);
  void lblNuances_Click();
  void cmdOk_Click(int index);

  bool selected_ = false;
  bool SuppressUpdate = false;
  bool ChooserDragging = false;
  int ChooserGrabX = 0;
  int ChooserGrabY = 0;
  int TrackTop = 0;
  int TrackBottom = 0;
  int TrackHeight = 0;

  const store::Planner& planner_;
  ProjectSwatch swatch_;
  const forms::Form& owner_;
  const forms::Control& centreOver_;
};

}  // namespace activities
