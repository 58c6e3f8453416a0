// plutil: converts property lists between XML and binary, and checks them.
//
//   plutil -convert xml1|binary1 [-o OUTPUT] FILE...
//   plutil -lint FILE...
//
// Files are rewritten atomically; a file that is not a property list is left
// as it is and reported, exit status 1, and so is a failed write (the old file
// stays whole). Only regular files of at most 64 MiB are read; an OUTPUT that
// is a device (/dev/stdout) is written directly. XML in another encoding is
// written out as UTF-8. A path under ~/Library/Preferences/
// (the shell expands "~" to $HOME before plutil sees it) names the file of the
// same name in this platform's preferences folder.
#include "framework/desktop/PropertyList.h"
#include "platform-tools/ToolSupport.h"

using namespace ToolSupport;

namespace {

int usage() {
    err(QStringLiteral("usage: plutil -convert xml1|binary1 [-o OUTPUT] FILE...\n"
                       "       plutil -lint FILE..."));
    return 1;
}

PlistPtr load(const QString& given, const QString& path) {
    PropertyList::Status status;
    PlistPtr root = PropertyList::readFile(path, &status);
    if (status == PropertyList::Status::Missing || status == PropertyList::Status::Unreadable)
        err(QStringLiteral("%1: file does not exist or is not readable or is not a regular file").arg(given));
    else if (!root)
        err(QStringLiteral("%1: Property List error: not a property list").arg(given));
    return root;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args = arguments(argc, argv);
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("-lint")) {
        if (args.isEmpty()) return usage();
        int status = 0;
        for (const QString& file : args) {
            if (load(file, mapPreferencesPath(file)))
                out(file + QStringLiteral(": OK"));
            else
                status = 1;
        }
        return status;
    }
    if (command != QLatin1String("-convert") || args.isEmpty()) return usage();
    const QString format = args.takeFirst();
    if (format != QLatin1String("xml1") && format != QLatin1String("binary1")) return usage();
    QString output;
    if (args.size() >= 2 && args.front() == QLatin1String("-o")) {
        args.removeFirst();
        output = mapPreferencesPath(args.takeFirst());
    }
    if (args.isEmpty() || (!output.isEmpty() && args.size() != 1)) return usage();
    int status = 0;
    for (const QString& file : args) {
        const QString path = mapPreferencesPath(file);
        const PlistPtr root = load(file, path);
        if (!root) {
            status = 1;
            continue;
        }
        const QByteArray bytes =
            format == QLatin1String("xml1") ? PropertyList::toXml(root.get()) : PropertyList::toBinary(root.get());
        const QString target = output.isEmpty() ? path : output;
        if (!PropertyList::writeFile(target, bytes)) {
            err(QStringLiteral("%1: could not write the file").arg(target));
            status = 1;
        }
    }
    return status;
}
