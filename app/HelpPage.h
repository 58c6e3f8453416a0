#pragma once
// The program's help page, shipped inside the program and handed to the
// browser as a file in the user's cache folder.
#include <QString>

// Its file's name in the application's cache folder.
inline const QString kHelpPageFileName = QStringLiteral("help.html");
// A file:// address of the help page; the bare resource name when the page
// cannot be written out.
QString HelpPageAddress();
// What the user is told when nothing could open the page at that address.
QString HelpPageNotOpened(const QString& address);
