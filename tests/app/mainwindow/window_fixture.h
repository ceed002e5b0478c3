// A main window over a planner whose data file lies in a scratch folder, with scripted
// services (clock fixed at 02.03.2026 09:00).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/mainwindow/frmMain.h"
#include "app/store/planner.h"
#include "app/store/terminology.h"
#include "forms/testing.h"
#include "platform/scratch_folder.h"

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    planner.DataFolder = folder.Path();
    planner.DataFile = folder / "data";
    planner.ProjectTerms[0] = "Projets";
    planner.ActivityTerms[0] = "Activités";
    planner.ResourceTerms[0] = "Ressources / Personnes";
    store::ApplyTerminology(planner);
  }

  // A window height with room for six month rows of full height cells.
  static constexpr double kTallWindow = 15300;

  // The window as the start-up leaves it.
  mainwindow::frmMain& Open() {
    window = std::make_unique<mainwindow::frmMain>(planner, world.services());
    window->LoadForm();
    window->InitMainForm();
    return *window;
  }

  static std::vector<std::string> Items(const forms::ListControl& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
  }

  ScratchFolder folder;
  store::Planner planner;
  forms::testing::TestServices world;
  std::unique_ptr<mainwindow::frmMain> window;
};
