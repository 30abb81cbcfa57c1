#pragma once

#include <vector>

#include "platform/report/Page.h"

namespace report {

class Report;

// Adds `style` to `styles` unless it is there already.
void addStyle(std::vector<TextStyle>& styles, const TextStyle& style);

// The text styles of a report's labels, fields and check boxes as designed, its sub-reports'
// included, each once: what its pages will use unless an event changes a style while running.
std::vector<TextStyle> designStyles(const Report& report);

}  // namespace report
