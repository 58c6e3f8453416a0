#pragma once
// The program's help page, shipped inside the program and handed to the
// browser as a file in the user's cache folder.
#include <QString>

// A file:// address of the help page; the bare resource name when the page
// cannot be written out.
QString HelpPageAddress();
