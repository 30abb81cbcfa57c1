#pragma once

#include <QString>
#include <QStringList>

namespace testenv {

// The pages of a PDF file as text, read back by a real PDF reader (pdftotext); empty when the file
// cannot be read.
QStringList pdfPages(const QString& path);

}  // namespace testenv
