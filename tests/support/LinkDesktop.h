#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Stands in for the desktop while registered as the handler of some link schemes: it keeps the
// links the program asked to open.
class LinkDesktop : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};
