#pragma once

#include <QIcon>

// The images of the main window: the four view icons of the navigation bar and title band
// (1 settings, 2 articles, 3 people, 4 management) and the toolbar's command icons.
QIcon viewIcon(int index);
constexpr int kViewIconCount = 4;

enum class Command { New, Open, Delete, Print };
QIcon commandIcon(Command command);
