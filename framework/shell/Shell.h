#pragma once
// A shell for one command line at a time: Execute runs "/bin/sh -c command",
// waits until it has finished and keeps its standard output and error, in the
// order they were written, as Result. The folder of the platform tools comes
// first on the command's PATH, so "defaults", "plutil" and "killall" reach the
// program's own stand-ins (see platform-tools/). Without that folder nothing
// runs (status 127): those names must never reach the system's tools.
#include <QString>
#include <cstdint>
#include <memory>

class Shell {
public:
    void Execute(const QString& command);
    // Standard output and error of the last command.
    QString Result() const { return result_; }
    // The last command's exit status; -1 when the shell could not run or was killed.
    int32_t ErrorCode() const { return errorCode_; }

    // The folder of the platform tools that Execute puts first on PATH; empty
    // when none was found. Looked for beside the executable (platform-tools/
    // in its folder or its parent; installed, ../libexec/<the program's tools
    // folder name>), then, for a program inside its build tree, in that tree.
    static QString PlatformToolsFolder();

private:
    QString result_;
    int32_t errorCode_ = 0;
};

using ShellPtr = std::shared_ptr<Shell>;
