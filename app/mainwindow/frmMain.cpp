#include "app/mainwindow/frmMain.h"

namespace mainwindow {

frmMain::frmMain(store::Planner& planner, forms::Services services)
    : forms::Form("frmMain", services.metrics), planner_(planner), services_(services) {
  DesignWindow();
  DesignSideMenu();
  DesignTitleBar();
  DesignCalendar();
  DesignAgenda();
  DesignActivityTable();
  DesignActivityEditor();
  DesignResourcePanel();
  DesignProjectPanel();
  DesignSupportChat();

  Resize = [this] { Form_Resize(); };
  QueryUnload = [this](int& cancel, int) { Form_QueryUnload(cancel); };
  ConnectViewEvents();
  ConnectActivityEditor();
  ConnectProjectPanel();
  ConnectResourcePanel();
}

// The "Créer un PDF" entry stands in the title bar, which goes before the menu arrays do.
frmMain::~frmMain() {
  shMenu.Unload(7);
  imgMenu.Unload(7);
  lblAffiche.Unload(7);
}

}  // namespace mainwindow
