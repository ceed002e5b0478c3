// The main window: the side menu, the title bar, the calendar and agenda areas, the hidden
// activity table and the floating panels (activity editor, resources, projects, support
// chat).  Its controls are declared here as the designer laid them out; their designed
// properties are set by the Design* functions, one per area (design_*.cpp).  The window's
// operations live in files named after what they do (init.cpp, layout.cpp, captions.cpp).
#pragma once

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <endpoints.h>

#include "app/mainwindow/day_scan.h"
#include "app/store/data_file.h"
#include "app/store/planner.h"
#include "forms/forms.h"
#include "platform/environment.h"
#include "platform/http_transfer.h"
#include "runtime/datetime.h"

namespace mainwindow {

// The installer address on the product site `site`; "" when the site is not an https
// address: an installer is a program the user will run, never fetched in the clear.
std::string InstallerUrlOn(std::string site);
// The installer address on the configured product site.
std::string DefaultInstallerUrl();

class frmMain : public forms::Form {
 public:
  frmMain(store::Planner& planner, forms::Services services);
  ~frmMain() override;

  // Fills the window from the tables and settings and shows it; called once, near the end
  // of the start-up.
  void InitMainForm();
  // Writes the terms in force into every caption that depends on them.
  void RefreshTermCaptions();

  // Switches the visible view and draws it: 0 month, 1 agenda, 2 week, 3 work week.
  void ShowView(int view);
  // Draws the month grid, or with `week` the week grid (Monday to Friday with `workWeek`),
  // from the activity records.  With `exportPdf` the visible grid view is drawn at page
  // sizes, handed to ExportPdf and drawn again at screen sizes.
  void DrawCalendar(bool week, bool workWeek, bool exportPdf);
  // The month's activities as a list (the agenda view).
  void DrawAgenda();

  // What other areas of the program plug into the window.  An empty slot does nothing.
  // The activity editor, opened for a new activity on `dateText` ("dd.mm.yyyy", or "" for
  // no preset day) at hour:minute.
  std::function<void(const std::string& dateText, int hour, int minute)> OpenNewActivity;
  // The print of the visible view, called while the grid stands drawn at page sizes.
  std::function<void()> ExportPdf;
  std::function<void()> ShowResourcePanel;
  std::function<void()> ShowProjectPanel;
  // The settings dialog, shown modally; returns once it has closed.
  std::function<void()> ShowSettings;
  // Writes and uploads the shared calendars of `projects` after a save while sharing is
  // on, with those whose last upload failed; false when one did not reach the server.  Set
  // to the sharing export when the window is made.
  std::function<bool(const std::vector<int>& projects)> PublishCalendars;
  // Writes and uploads the project colour list after a project is added or recoloured while
  // sharing is on; set to the sharing export when the window is made.
  std::function<void()> PublishCategoryList;

  // Form state.
  runtime::DateTime CurrentDate;  // the date every view is built around
  int SelectedProjectFilter = 0;  // 0 all projects, k the project of index k - 1
  int ClickedHour = 0;
  int ClickedMinute = 0;
  int LastHoverIndex = 0;
  std::string NewestVersion;      // the version announced by the update check; "" for none
  bool PanelDragging = false;
  int DragGrabX = 0;
  int DragGrabY = 0;
  int ShadeRed = 0;
  int ShadeGreen = 0;
  int ShadeBlue = 0;

  // The support chat and the update check (support_chat_panel.cpp, update_check.cpp).  An
  // empty address switches its service off: nothing is sent and nothing waited for.
  std::string SupportPage = endpoints::kSupportUrl;
  std::string VersionUrl = endpoints::kVersionUrl;
  std::string InstallerUrl = DefaultInstallerUrl();
  platform::HttpLimits VersionLimits;
  platform::HttpLimits DownloadLimits = InstallerLimits();
  platform::Environment Environment = platform::SystemEnvironment();
  // Ends the program at once, without any window's closing event; the changes that could
  // not be written get their last write first.
  std::function<void()> EndProgram = [this] {
    store::WriteUnwrittenValues(planner_);
    std::exit(0);
  };
  // The version request, sent once the window is shown: it runs from the event loop while
  // the window lives, and its reply offers a newer version when one is announced.
  void StartVersionRequest();

  // ---- Side menu -------------------------------------------------------------------------
  forms::Frame fraMenus{*this, "fraMenus"};
  // Menu entries 0-6 and 8; entry 7 ("Créer un PDF") belongs to the title bar.
  forms::ControlArray<forms::Shape> shMenu{fraMenus, "shMenu"};
  forms::ControlArray<forms::Image> imgMenu{fraMenus, "imgMenu"};
  forms::ControlArray<forms::Label> lblAffiche{fraMenus, "lblAffiche"};
  forms::Label lblAffichage{fraMenus, "lblAffichage"};  // heading "Affichage"
  forms::Frame fraProjets{fraMenus, "fraProjets"};      // the project bar
  forms::Shape ShSelProjet{fraProjets, "ShSelProjet"};
  forms::ControlArray<forms::Label> lblCategories{fraProjets, "lblCategories"};
  forms::FlatScrollBar scrollCat{fraMenus, "scrollCat"};
  forms::ListBox lstRessources{fraMenus, "lstRessources"};

  // ---- Calendar area: month and week grids ---------------------------------------------------
  forms::Frame fraCalendar{*this, "fraCalendar"};
  forms::Image imgCopy{fraCalendar, "imgCopy"};
  forms::Shape shSelect{fraCalendar, "shSelect"};
  forms::Frame fraMois{fraCalendar, "fraMois"};
  forms::Label lblLeft{fraMois, "lblLeft"};
  forms::Label lblMois{fraMois, "lblMois"};
  forms::Label lblRight{fraMois, "lblRight"};
  forms::Frame fraSemaine{fraCalendar, "fraSemaine"};
  forms::Label lblLeftSem{fraSemaine, "lblLeftSem"};
  forms::Label lblSemaine{fraSemaine, "lblSemaine"};
  forms::Label lblRightSem{fraSemaine, "lblRightSem"};
  forms::Label lblPlage{fraSemaine, "lblPlage"};  // hour-range caption of the week view
  forms::ComboBox cmbHeures{fraSemaine, "cmbHeures"};
  forms::ControlArray<forms::Image> imgToday{fraCalendar, "imgToday"};
  forms::ComboBox cmbAffiche{fraCalendar, "cmbAffiche"};
  forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
  forms::Shape shToday{fraCalendar, "shToday"};
  forms::ControlArray<forms::Label> lblHeures{fraCalendar, "lblHeures"};
  forms::ControlArray<forms::Line> Line1{fraCalendar, "Line1"};
  forms::ControlArray<forms::Line> Line2{fraCalendar, "Line2"};
  forms::ControlArray<forms::Line> Line3{fraCalendar, "Line3"};
  forms::ControlArray<forms::Label> lblActivite{fraCalendar, "lblActivite"};
  forms::ControlArray<forms::Image> imgPeriode{fraCalendar, "imgPeriode"};
  // The last line of a month cell too full to show all its activities: "+2".
  forms::ControlArray<forms::Label> lblMore{fraCalendar, "lblMore"};
  forms::Label lblInfo{fraCalendar, "lblInfo"};
  forms::MonthView MonthView1{fraCalendar, "MonthView1"};

  // ---- Agenda list --------------------------------------------------------------------------
  forms::Frame fraAgenda{*this, "fraAgenda"};
  forms::ControlArray<forms::Label> lblDate{fraAgenda, "lblDate"};
  forms::ControlArray<forms::Label> lblDetail{fraAgenda, "lblDetail"};
  forms::FlatScrollBar ScrollAgenda{fraAgenda, "ScrollAgenda"};
  forms::Label lblInfoAg{fraAgenda, "lblInfoAg"};

  // ---- The agenda's month bar and the title bar, in front of the calendar area --------------
  forms::Frame fraTitre{*this, "fraTitre"};
  forms::Label lblTitre{fraTitre, "lblTitre"};
  forms::Frame fraMenuCalendar{*this, "fraMenuCalendar"};
  forms::Label lblLeftAg{fraMenuCalendar, "lblLeftAg"};
  forms::Label lblMoisAg{fraMenuCalendar, "lblMoisAg"};
  forms::Label lblRightAg{fraMenuCalendar, "lblRightAg"};

  // ---- Activity table (never shown) ------------------------------------------------------------
  forms::MSFlexGrid MSFlexGrid1{*this, "MSFlexGrid1"};

  // ---- Activity editor ------------------------------------------------------------------------
  forms::Frame fraActivite{*this, "fraActivite"};
  forms::Label Label1{fraActivite, "Label1"};
  forms::DTPicker DTPicker4{fraActivite, "DTPicker4"};
  forms::Label Label9{fraActivite, "Label9"};
  forms::ComboBox cmbH{fraActivite, "cmbH"};
  forms::ComboBox cmbM{fraActivite, "cmbM"};
  forms::Label Label4{fraActivite, "Label4"};
  forms::ComboBox cmbH2{fraActivite, "cmbH2"};
  forms::ComboBox cmbM2{fraActivite, "cmbM2"};
  forms::DTPicker DTPicker1{fraActivite, "DTPicker1"};
  forms::DTPicker DTPicker2{fraActivite, "DTPicker2"};
  forms::DTPicker DTPicker5{fraActivite, "DTPicker5"};
  forms::Label Label7{fraActivite, "Label7"};
  forms::ComboBox cmbPeriode{fraActivite, "cmbPeriode"};
  forms::CheckBox chkFinPeriode{fraActivite, "chkFinPeriode"};
  forms::DTPicker DTPicker3{fraActivite, "DTPicker3"};
  forms::Label Label2{fraActivite, "Label2"};
  forms::TextBox txtActivite{fraActivite, "txtActivite"};
  forms::Label Label5{fraActivite, "Label5"};
  forms::ComboBox cmbcategorie{fraActivite, "cmbcategorie"};
  forms::Label Label3{fraActivite, "Label3"};
  forms::ControlArray<forms::ComboBox> cmbRessource{fraActivite, "cmbRessource"};
  forms::ControlArray<forms::Image> imgKillAct{fraActivite, "imgKillAct"};
  forms::CommandButton cmdNewRess{fraActivite, "cmdNewRess"};
  forms::Frame fraValide{fraActivite, "fraValide"};
  forms::Label Label6{fraValide, "Label6"};
  forms::Shape Shape2{fraValide, "Shape2"};
  forms::Label lblColTache{fraValide, "lblColTache"};
  forms::Label lblString{fraValide, "lblString"};
  forms::ControlArray<forms::Label> lblDegrade{fraValide, "lblDegrade"};
  forms::Label lblSelDegrade{fraValide, "lblSelDegrade"};
  forms::CommandButton cmdValideActivite{fraValide, "cmdValideActivite"};
  forms::Label lblCloseActivite{fraActivite, "lblCloseActivite"};

  // ---- Resource panel ----------------------------------------------------------------------------
  forms::Frame fraRessources{*this, "fraRessources"};
  forms::ListBox lstRess{fraRessources, "lstRess"};
  forms::ControlArray<forms::OptionButton> optRess{fraRessources, "optRess"};
  forms::CommandButton cmdAddRess{fraRessources, "cmdAddRess"};
  forms::CommandButton cmdActiveRess{fraRessources, "cmdActiveRess"};
  forms::Label lblCloseRessource{fraRessources, "lblCloseRessource"};

  // ---- Project panel ------------------------------------------------------------------------------
  forms::Frame fraCategorie{*this, "fraCategorie"};
  forms::ListBox lstCat{fraCategorie, "lstCat"};
  forms::Label lblColor{fraCategorie, "lblColor"};
  forms::Label lblStringProj{fraCategorie, "lblStringProj"};
  forms::Shape Shape1{fraCategorie, "Shape1"};
  forms::CommandButton cmdAddCat{fraCategorie, "cmdAddCat"};
  forms::Label lblCloseCat{fraCategorie, "lblCloseCat"};

  // ---- Support chat ----------------------------------------------------------------------------------
  forms::Frame fraimgCrisp{*this, "fraimgCrisp"};
  forms::Image imgCrisp{fraimgCrisp, "imgCrisp"};
  forms::Frame fraCrisp{*this, "fraCrisp"};
  forms::Label Label11{fraCrisp, "Label11"};
  forms::Shape Shape3{fraCrisp, "Shape3"};
  forms::TextBox txtMessage{fraCrisp, "txtMessage"};
  forms::Shape Shape4{fraCrisp, "Shape4"};
  forms::Label lblSend{fraCrisp, "lblSend"};
  forms::Label lblClose{fraCrisp, "lblClose"};
  forms::Label lblChatUnavailable{fraCrisp, "lblChatUnavailable"};
  platform::HttpTransfer Inet1;

 private:
  // Designed properties, one area each.
  void DesignWindow();
  void DesignSideMenu();
  void DesignTitleBar();
  void DesignCalendar();
  void DesignAgenda();
  void DesignActivityTable();
  void DesignActivityEditor();
  void DesignResourcePanel();
  void DesignProjectPanel();
  void DesignSupportChat();

  // The support chat and the update check.
  static platform::HttpLimits InstallerLimits();
  void imgCrisp_Click();
  void lblClose_Click();
  void lblSend_Click();
  // Moves the version request on; once it has ended, hands its outcome to
  // Inet1_StateChanged and offers what it announced.  False once it has ended.
  bool VersionRequestStep();
  void Inet1_StateChanged(int state);
  void OfferNewerVersion();
  void DownloadUpdate(const std::string& address, bool keepRunning);
  void WaitWhileInetExecuting();

  void Form_Resize();
  // Changes still unwritten are written before the window closes, or the user chooses.
  void Form_QueryUnload(int& cancel);

  // Start-up steps.
  void FillActivityTableHeaders();
  void FillResourceLists();
  void FillProjectLists();
  void FillActivityTable();
  void AddActivityRow(int index);
  void LayoutHourScale();
  void FillHourRanges();

  // Fills a pair of hour and minute lists ("00".."23", "00".."55") and selects the first
  // item of each.
  void FillTimeCombos(forms::ComboBox& hours, forms::ComboBox& minutes);

  // Event handlers of the views, connected by ConnectViewEvents.
  void ConnectViewEvents();
  void lblAffiche_Click(int index);
  void imgMenu_Click(int index);
  void cmbAffiche_Click();
  void cmbHeures_Click();
  void lblLeft_Click();
  void lblRight_Click();
  void lblLeftSem_Click();
  void lblRightSem_Click();
  void PreviousMonth();
  void NextMonth();
  void PreviousWeek();
  void NextWeek();
  void imgToday_Click(int index);
  void lblMois_Click();
  void lblSemaine_Click();
  void MonthView1_DateClick(runtime::DateTime date);
  void lblJour_Click(int index);
  void lblJour_MouseMove(int index, int button, int shift, double x, double y);
  void lblJour_MouseDown(int index, int button, int shift, double x, double y);
  void lblJour_DblClick(int index);
  void lblCategories_Click(int index);
  void scrollCat_Change();
  void lblLeftAg_Click();
  void lblRightAg_Click();
  void ScrollAgenda_Change();

  // The activity details pop-ups (hover_details.cpp).
  void lblActivite_MouseMove(int index, int button, int shift, double x, double y);
  void ShowActivityInfo(int index);
  void lblDetail_Click(int index);
  void fraAgenda_MouseMove(int button, int shift, double x, double y);
  void lblDate_MouseMove(int index, int button, int shift, double x, double y);

  // Steps of the calendar drawing.
  void RemoveActivityLabels();
  void PlaceDayHeaders(bool week, bool workWeek, double columnWidth);
  runtime::DateTime CaptionWeek(bool workWeek);
  void ClearDayCells();
  void FillDayCells(bool week, bool workWeek, bool exportPdf, runtime::DateTime firstDay);
  // The week views' redraw with the flags read from the frames.
  void DrawVisibleWeek();
  bool WorkWeekShown() const;
  int VisibleView() const;
  // The activity table's rows follow the project bar and the resource filter; with a
  // resource chosen, the side menu's resource list (and the title) follow it too.
  void FilterActivityGrid();
  // The title bar's caption, its label as high as its lines need.
  void SetTitle(const std::string& caption);
  void ToggleMonthCalendar(const forms::Frame& bar);
  void SetMonthCaptions();

  // The resource panel and the side menu's resource list (resource_panel.cpp).
  void ConnectResourcePanel();
  void optRess_Click(int index);
  void cmdAddRess_Click();
  void cmdActiveRess_Click();
  void lstRess_DblClick();
  void lblCloseRessource_Click();
  void lstRessources_Click();
  void lstRessources_DblClick();
  // Hours booked for the resource of that name in the period the last grid drawing showed,
  // each occurrence counted once.
  double ResourceMinutes(const std::string& name) const;
  // The occurrences of the month the agenda lists.
  ShownBookings AgendaBookings() const;
  // The record index of the resource selected in lstRess; -1 for none.
  int SelectedResource() const;
  bool RefusedAsTaken(const std::string& name);
  void FillResourceFilterLists();
  void ShowRenamedResourceInTable(int resource);

  // The project panel (project_panel.cpp).
  void ConnectProjectPanel();
  void OpenProjectPanel();
  void lblCloseCat_Click();
  void lblCategories_DblClick(int index);
  void lstCat_Click();
  void cmdAddCat_Click();
  void lstCat_DblClick();
  void lblColor_Click();
  // A palette index for a new project, drawn again once when its colour is taken already.
  int DrawProjectColour();
  // "name¦colour-flag" from the swatch and the letter; `whiteFlag` is written for white text.
  std::string ProjectRecord(const std::string& name, const char* whiteFlag) const;
  bool ProjectNameTaken(const std::string& name, int except) const;
  void ShowRenamedProject(int project, const std::string& name);

  // The activity editor (activity_editor*.cpp) and its shade strip (shade_strip.cpp).
  void ConnectActivityEditor();
  void OpenActivityEditor(const std::string& dateText, int hour, int minute);
  std::string ActivityEditorCaption() const;
  void cmbcategorie_Click();
  void cmbH_Click();
  void cmbH2_Click();
  void DTPicker4_Change();
  void cmbPeriode_Click();
  void chkFinPeriode_Click();
  void txtActivite_KeyPress(int& keyAscii);
  void lblCloseActivite_Click();
  // Esc closes the open editor as its close button does.
  void Form_KeyDown(int& keyCode, int shift);
  void SetResourceRowLayout(int rows);
  void FillFirstResourceRow();
  void cmdNewRess_Click();
  void imgKillAct_Click(int index);
  void FillResourceRows(const std::vector<int>& resources);
  int ResourceOfRow(const forms::ComboBox& row) const;
  void lblActivite_DblClick(int index);
  void imgPeriode_DblClick(int index);
  void lblDetail_DblClick(int index);
  void OpenActivityByKey(const std::string& key, forms::Label& hoverDetails);
  void MSFlexGrid1_DblClick();
  void ShowActivityColourField(const std::string& field);
  void cmdValideActivite_Click();
  void WriteActivityRow(int row, const std::string& name, const std::string& colourPeriodField,
                        int periodicityCode);
  void RedrawAfterSave();
  void BuildShadeStrip(int colour);
  void ShowActivityColour();
  void lblDegrade_Click(int index);
  void lblSelDegrade_MouseDown(int button, int shift, double x, double y);
  void lblSelDegrade_MouseMove(int button, int shift, double x, double y);
  void lblSelDegrade_MouseUp(int button, int shift, double x, double y);

  // Dragging the floating panels by their surface (panel_drag.cpp).
  void fraActivite_MouseDown(int button, int shift, double x, double y);
  void fraActivite_MouseMove(int button, int shift, double x, double y);
  void fraActivite_MouseUp(int button, int shift, double x, double y);
  void fraRessources_MouseDown(int button, int shift, double x, double y);
  void fraRessources_MouseMove(int button, int shift, double x, double y);
  void fraRessources_MouseUp(int button, int shift, double x, double y);
  void fraCategorie_MouseDown(int button, int shift, double x, double y);
  void fraCategorie_MouseMove(int button, int shift, double x, double y);
  void fraCategorie_MouseUp(int button, int shift, double x, double y);
  void PanelMouseDown(forms::Frame& panel, const char* procedure, int button, double x,
                      double y);
  void PanelMouseMove(forms::Frame& panel, const char* procedure, double x, double y);
  void PanelMouseUp(forms::Frame& panel, const char* procedure);

  // The copy of the activity table's visible cells (table_copy.cpp).
  void imgCopy_Click();
  void imgCopy_MouseDown(int button, int shift, double x, double y);
  void imgCopy_MouseUp(int button, int shift, double x, double y);

  // The activity the editor modifies: its table row and record index.  The editor adds a
  // new activity while there is none.
  struct EditedActivity {
    int row;
    int index;
  };
  std::optional<EditedActivity> editedActivity_;
  // What the last grid drawing showed, for the hours booked in the title.
  ShownBookings shownBookings_;

  store::Planner& planner_;
  forms::Services services_;
  // Lives as long as the window: what the event loop calls later checks it first.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace mainwindow
