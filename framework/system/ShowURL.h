#pragma once
// Opens an address with the desktop's default handler (a web page in the
// browser), through the current Platform.
#include <QString>

// False when nothing could open it.
bool ShowURL(const QString& address);
