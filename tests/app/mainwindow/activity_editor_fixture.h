// The main window with the activity editor over projects of known colours and five
// resources (Paul deactivated); the sharing export replaced by a recorder.  Today is Monday
// 02.03.2026.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "calendar_fixture.h"

class EditorTest : public CalendarTest {
 protected:
  EditorTest() {
    planner.Categories = {"Nord\u00A6255-0", "Sud\u00A665280-1", "Blanc\u00A616777215-1",
                          "Noir\u00A60-0", "Rouge\u00A6250-0"};
    planner.Resources = {"Ann", "Bob", "Salle 2", "Paul\u00A61", "Zoé"};
  }

  mainwindow::frmMain& OpenEditorWindow() {
    mainwindow::frmMain& w = Open();
    w.PublishCalendars = [this](const std::vector<int>& projects) {
      published.insert(published.end(), projects.begin(), projects.end());
      return true;
    };
    return w;
  }

  // The first visible label of activity `record` in the grid shown.
  forms::Label& LabelOf(int record) const {
    for (int i : window->lblActivite.Indexes())
      if (i > 0 && window->lblActivite[i].Visible() &&
          window->lblActivite[i].Tag() == std::to_string(record))
        return window->lblActivite[i];
    throw std::logic_error("no label of activity " + std::to_string(record));
  }

  // What each resource row shows, "" for a row without a choice.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i : window->cmbRessource.Indexes()) {
      const forms::ComboBox& row = window->cmbRessource[i];
      rows.push_back(row.ListIndex() >= 0 ? row.Text() : "");
    }
    return rows;
  }

  std::string Start() const { return window->DTPicker1.Value().Text(); }
  std::string End() const { return window->DTPicker2.Value().Text(); }
  std::string StartShown() const { return window->cmbH.Text() + ":" + window->cmbM.Text(); }
  std::string EndShown() const { return window->cmbH2.Text() + ":" + window->cmbM2.Text(); }

  // Fills the open editor as a user does and presses "Valider".
  void Fill(const std::string& name, int project, const std::vector<std::string>& resources) {
    mainwindow::frmMain& w = *window;
    w.txtActivite.SetText("");
    user.Type(w.txtActivite, name);
    user.Choose(w.cmbcategorie, project);
    for (std::size_t r = 0; r < resources.size(); ++r) {
      if (r > 0) user.Click(w.cmdNewRess);
      if (!resources[r].empty()) user.Choose(w.cmbRessource[static_cast<int>(r)], resources[r]);
    }
  }
  void Save() { user.Click(window->cmdValideActivite); }

  std::vector<int> published;
};
