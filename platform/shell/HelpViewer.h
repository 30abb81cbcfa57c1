#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// The program's own window for help pages, used where the desktop has no viewer for the compiled
// help file: the HTML pages the help file is built from, with their links.
namespace shell {

// The help window: the pages with "Indietro" and "Avanti" along the links followed; Esc closes it.
class HelpWindow : public QWidget {
 public:
  HelpWindow();
  QTextBrowser* browser() const { return m_browser; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QTextBrowser* m_browser;
};

// Folder of the pages of a compiled help file: beside it, named after it ("tarvel.chm" -> "tarvel").
QString helpPagesFolder(const QString& helpFile);

// Shows the pages of the help file in the single help window, at the default page named by the
// project file of the folder ("<name>.hhp", "Default topic="), else "index.htm". A window not yet
// shown opens centred on the active window. False when the page is missing.
bool showHelpPages(const QString& helpFile);

// The help window while it exists (tests and callers that raise it); nullptr before the first use.
HelpWindow* helpWindow();

}  // namespace shell
