#pragma once
// Opens an address with the desktop's default handler (a web page in the
// browser). Under its test seam the address is recorded instead; the seam is
// on by default on a headless platform (offscreen), so tests never open one.
// False when nothing could open it (no opener, or the opener found no program).
#include <QString>
#include <optional>
#include <vector>

bool ShowURL(const QString& address);

namespace ShowURLSeam {
bool Recording();
// std::nullopt restores the default (recording exactly on a headless platform).
void SetRecording(std::optional<bool> recording);
// The addresses recorded since the last call, oldest first; clears the record.
std::vector<QString> TakeShown();
// What ShowURL answers while recording (True unless set otherwise).
void SetOpens(bool opens);
}  // namespace ShowURLSeam
