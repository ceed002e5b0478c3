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
}

}  // namespace mainwindow
