// The project colour list: the back colour and text colour of every project, for the web
// page that shows the published calendars.
#pragma once

#include <string>
#include <string_view>

#include "app/settings/publishing.h"
#include "app/store/planner.h"

namespace settings {

// "red,green,blue" in decimal of a colour number (red in the low byte); the empty text
// when the colour is not a number.
std::string ColourToRgbText(std::string_view colour);

// The list's text: a UTF-8 byte-order mark, then "index,red,green,blue,white" per project
// (white 0 for black text, 1 for white text), each line ending in CR LF.
std::string CategoryListText(const store::Planner& planner);

// Writes the list as "<userId>-cat.txt" and publishes it; nothing where there is no server
// (see `Publish`).  Failures are silent.
void ExportCategoryList(const store::Planner& planner, const std::string& userId,
                        const Publishing& publishing = {});

}  // namespace settings
