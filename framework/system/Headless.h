#pragma once
// Whether no one can see or answer a window: no GUI application, or Qt's
// offscreen or minimal platform (the tests'). Dialogs and ShowURL then take
// their seams by default instead of waiting for a user or opening a browser.
bool isHeadlessPlatform();
