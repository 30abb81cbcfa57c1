#pragma once

#include <QByteArray>
#include <QString>

namespace report {

// A compound document (the container of Office 97-2003 files) holding one stream under the root
// storage, in 512-byte sectors without a mini stream.
QByteArray compoundFile(const QString& streamName, QByteArray stream);

}  // namespace report
