#pragma once
// What the platform tools share: where preferences live and how to answer.
#include <QString>
#include <QStringList>

namespace ToolSupport {

// The arguments as Unicode (argv[1] onwards).
QStringList arguments(int argc, char** argv);
void out(const QString& text);  // a line on standard output
void err(const QString& text);  // a line on standard error

// The preferences folder ($XDG_CONFIG_HOME, else ~/.config); empty when there is none.
QString preferencesFolder();
// Paths under ~/Library/Preferences/ (as the shell expands "~", or with a
// literal "~") name files of the preferences folder on this platform; any
// other path is returned as it is.
QString mapPreferencesPath(const QString& path);

}  // namespace ToolSupport
