#pragma once
#include <string>

namespace ostrevo::web {

// Both windows as the description gives them, as JSON for the page's script
// (the site's build writes it into description.json):
// every control with its box in CSS pixels, its looks, texts, accessible
// texts and command, each window's tab order and the rows of its list layout;
// and the catalogue of the program's texts, by name.
std::string DescribeWindows();

}  // namespace ostrevo::web
