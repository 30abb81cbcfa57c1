#pragma once

#include <QString>

// What the desktop offers a program: the user's folders and "open" of links and files through the
// user's preferred applications.
namespace shell {

// The user's documents folder: the XDG documents directory (user-dirs.dirs, else ~/Documents),
// created when missing, as a desktop session does, so that it is the same folder on every call.
// Empty when it neither exists nor can be made (its parent folder is missing).
QString documentsFolder();

// The folder of the running executable.
QString programFolder();

// Opens a link (mailto:, http:, https:, ...) or a local file with the desktop's default application.
// False when the target is empty or a missing file, or when the desktop could not hand it over.
bool open(const QString& linkOrFile);

// Opens a help file at its default page: in the desktop's viewer for its type when one is
// installed, otherwise the pages it is built from, installed beside it (helpPagesFolder), in the
// program's own help window. False when neither can be shown.
bool openHelp(const QString& helpFile);

// True when an application of the desktop declares that it opens files of this one's type.
bool hasViewerFor(const QString& file);

}  // namespace shell
