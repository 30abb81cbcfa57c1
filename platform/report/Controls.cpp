#include "platform/report/Controls.h"

#include <algorithm>

#include "platform/report/PagePainter.h"
#include "platform/report/Report.h"
#include "platform/runtime/Format.h"

namespace report {

namespace {

constexpr int CheckBoxSide = 195;

}  // namespace

void Label::setCaption(const QString& caption) {
  m_caption = caption;
  m_value = Variant::null();
  m_format.clear();
}

void Label::setValue(const Variant& value, const QString& format) {
  m_caption = Format(value, format);
  m_value = value;
  m_format = format;
}

int Label::layout(QRect& rect, Block& block, const LayoutContext&) const {
  if (!visible() || m_caption.isEmpty()) return 0;
  PageItem item = textItem(rect, m_caption, m_style, m_wordWrap);
  item.value = m_value;
  item.format = m_format;
  block.items.push_back(std::move(item));
  return 0;
}

void Field::setValue(const Variant& value) {
  m_value = value;
  m_text.clear();
  m_hasOwnText = false;
}

QString Field::text() const { return m_hasOwnText ? m_text : Format(m_value, m_outputFormat); }

void Field::setText(const QString& text) {
  m_text = text;
  m_hasOwnText = true;
}

int Field::layout(QRect& rect, Block& block, const LayoutContext&) const {
  if (!visible()) return 0;
  const QString shown = text();
  if (shown.isEmpty()) return 0;
  int growth = 0;
  bool wrap = false;
  if (m_canGrow) {
    const int height = wrappedHeight(m_style, shown, rect.width());
    wrap = height > rect.height() || shown.contains(u'\n');
    if (height > rect.height()) {
      growth = height - rect.height();
      rect.setHeight(height);
    }
  }
  PageItem item = textItem(rect, shown, m_style, wrap);
  if (!m_hasOwnText) {
    item.value = m_value;
    item.format = m_outputFormat;
  }
  block.items.push_back(std::move(item));
  return growth;
}

int Line::layout(QRect& rect, Block& block, const LayoutContext&) const {
  if (!visible()) return 0;
  PageItem item;
  item.kind = PageItem::Kind::Line;
  item.line = m_line.translated(0, rect.top() - this->rect().top());
  item.rect = rect;
  item.lineWidth = m_lineWidth;
  block.items.push_back(std::move(item));
  return 0;
}

int CheckBox::layout(QRect& rect, Block& block, const LayoutContext&) const {
  if (!visible()) return 0;
  const int side = std::min(CheckBoxSide, rect.height());
  PageItem item;
  item.kind = PageItem::Kind::Box;
  item.rect = QRect(rect.left(), rect.top() + (rect.height() - side) / 2, side, side);
  item.checked = m_checked;
  block.items.push_back(std::move(item));
  if (!m_caption.isEmpty())
    block.items.push_back(textItem(rect.adjusted(side + 60, 0, 0, 0), m_caption, m_style, false));
  return 0;
}

SubReport::SubReport(const QString& name, const QRect& rect) : Control(Type::SubReport, name, rect) {}

SubReport::~SubReport() { clearReport(); }

void SubReport::setReport(std::unique_ptr<Report> report) {
  clearReport();
  m_report = std::move(report);
}

void SubReport::clearReport() {
  if (m_report) m_report->Unload();
  m_report.reset();
}

int SubReport::layout(QRect& rect, Block& block, const LayoutContext& context) const {
  if (!visible()) {
    // Hidden, it takes no room: the section shrinks by its height.
    const int growth = -rect.height();
    rect.setHeight(0);
    return growth;
  }
  if (!m_report) return 0;
  Block content = context.runSubReport(*m_report);
  const int growth = content.height - rect.height();
  content.moveBy(rect.left(), rect.top());
  block.breaks.insert(block.breaks.end(), content.breaks.begin(), content.breaks.end());
  moveInto(block.items, content.items);
  moveInto(block.continuations, content.continuations);
  rect.setHeight(content.height);
  return growth;
}

void SubReport::restore(const Control& design) {
  clearReport();
  setRect(design.rect());
  setVisible(design.visible());
}

std::unique_ptr<Control> SubReport::clone() const {
  auto copy = std::make_unique<SubReport>(name(), rect());
  copy->setVisible(visible());
  return copy;
}

}  // namespace report
