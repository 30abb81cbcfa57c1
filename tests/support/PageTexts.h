#pragma once

#include <QStringList>

#include "platform/report/Page.h"

// All the texts of report pages, in page and drawing order, one entry per text item.
QStringList pageTexts(const report::Pages& pages);
