#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

// The program's shared globals: set once at start-up (or, for the Default* texts, by the entry
// forms when a row is saved as the default) and read by every window.

inline const QString AppTitle = QStringLiteral(APP_TITLE);

inline QString RegKeySettings;  // "Software\Corvane\<title>\Settings"
inline QString RegKeyPrinters;  // "Software\Corvane\<title>\Printers"
inline QString DBPath;          // full path of coms.mdb
inline QString ConnString;      // empty until the database passed the open test

inline QDate DataLavoro;  // working date: today, taken once at start-up
inline std::int16_t AnnoLavoro = 0;
inline QString HelpFile;  // program folder + "/tarvel.chm"

// Installed printers (device and driver names, indexes 0..NumStampanti-1) and the report printers of
// slots 1 and 2 (index 0 unused).
inline QStringList Stampanti;
inline QStringList Driver;
inline std::int32_t NumStampanti = 0;
inline QString StampanteReport[3];
inline QString DriverReport[3];

// Defaults of this run for a new article: the VAT code, unit and category last saved as default.
inline QString DefaultIVA;
inline QString DefaultUM;
inline QString DefaultCat;

// The program's major, minor and revision numbers joined by "." (its version as the application
// carries it).
QString ProgramVersion();

// Folder of the executable, where master.gen, the layout files and the help file lie.
QString ProgramFolder();
// Makes ProgramFolder() answer another folder (tests); an empty path restores the executable's.
void setProgramFolder(const QString& folder);
