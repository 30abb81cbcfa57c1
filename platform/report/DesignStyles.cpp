#include "platform/report/DesignStyles_p.h"

#include <algorithm>

#include "platform/report/Report.h"

namespace report {

namespace {

void addDesignStyles(std::vector<TextStyle>& styles, const Report& report) {
  for (const auto& section : report.sections())
    for (const auto& control : section->controls()) {
      if (const auto* label = dynamic_cast<const Label*>(control.get())) addStyle(styles, label->style());
      if (const auto* field = dynamic_cast<const Field*>(control.get())) addStyle(styles, field->style());
      if (const auto* box = dynamic_cast<const CheckBox*>(control.get())) addStyle(styles, box->style());
      if (const auto* sub = dynamic_cast<const SubReport*>(control.get()); sub && sub->report())
        addDesignStyles(styles, *sub->report());
    }
}

}  // namespace

void addStyle(std::vector<TextStyle>& styles, const TextStyle& style) {
  if (std::find(styles.begin(), styles.end(), style) == styles.end()) styles.push_back(style);
}

std::vector<TextStyle> designStyles(const Report& report) {
  std::vector<TextStyle> styles;
  addDesignStyles(styles, report);
  return styles;
}

}  // namespace report
