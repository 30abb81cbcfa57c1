#pragma once

#include <QIcon>
#include <QString>

// The images of the main window: the icon of each view, by its code, for the navigation bar and the
// title band, and the toolbar's command icons.
QIcon viewIcon(const QString& code);

enum class Command { New, Open, Delete, Print };
QIcon commandIcon(Command command);
