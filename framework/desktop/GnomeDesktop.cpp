#include "framework/desktop/GnomeDesktop.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString kSchema = QStringLiteral("org.gnome.desktop.background");
constexpr int kTimeoutMs = 5000;

}  // namespace

bool GnomeDesktop::sessionIsGnomeFamily(const QString& currentDesktop) {
    static const QStringList family = {QStringLiteral("Unity"), QStringLiteral("Budgie"),
                                       QStringLiteral("Pantheon")};
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        // GNOME, GNOME-Classic, GNOME-Flashback, ubuntu:GNOME, ...
        if (name.contains(QLatin1String("GNOME"), Qt::CaseInsensitive)) return true;
        if (family.contains(name, Qt::CaseInsensitive)) return true;
    }
    return false;
}

std::unique_ptr<GnomeDesktop> GnomeDesktop::detect() {
    if (!sessionIsGnomeFamily(QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")))) return nullptr;
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty()) return nullptr;
    // Fails when the schema is not installed; tells at once whether the dark key exists.
    const auto keys = run(program, {QStringLiteral("list-keys"), kSchema});
    if (!keys) return nullptr;
    const QStringList list = keys->split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!list.contains(QStringLiteral("picture-uri"))) return nullptr;
    return std::unique_ptr<GnomeDesktop>(new GnomeDesktop(program, list.contains(QStringLiteral("picture-uri-dark"))));
}

std::optional<QString> GnomeDesktop::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForStarted(kTimeoutMs)) return std::nullopt;
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished(kTimeoutMs);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

std::optional<QString> GnomeDesktop::picture() const {
    const auto printed = run(program_, {QStringLiteral("get"), kSchema, QStringLiteral("picture-uri")});
    if (!printed) return std::nullopt;
    const auto uri = parseStringLiteral(*printed);
    if (!uri) return std::nullopt;
    const QUrl url(*uri);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

QString GnomeDesktop::pictureOptions() const {
    const auto printed = run(program_, {QStringLiteral("get"), kSchema, QStringLiteral("picture-options")});
    if (!printed) return QString();
    return parseStringLiteral(*printed).value_or(QString());
}

bool GnomeDesktop::setPicture(const QString& path) const {
    const QString uri = stringLiteral(QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded()));
    bool ok = run(program_, {QStringLiteral("set"), kSchema, QStringLiteral("picture-uri"), uri}).has_value();
    if (hasDarkKey_)
        ok = run(program_, {QStringLiteral("set"), kSchema, QStringLiteral("picture-uri-dark"), uri}).has_value() && ok;
    return ok;
}

QString GnomeDesktop::placementFor(const QString& option) {
    if (option == QLatin1String("scaled")) return QStringLiteral("Crop");
    if (option == QLatin1String("zoom")) return QStringLiteral("SizeToFit");
    if (option == QLatin1String("stretched")) return QStringLiteral("FillScreen");
    if (option == QLatin1String("centered")) return QStringLiteral("Centered");
    if (option == QLatin1String("wallpaper")) return QStringLiteral("Tiled");
    return QString();
}

std::optional<QString> GnomeDesktop::parseStringLiteral(const QString& text) {
    if (text.size() < 2) return std::nullopt;
    const QChar quote = text.front();
    if ((quote != QLatin1Char('\'') && quote != QLatin1Char('"')) || text.back() != quote) return std::nullopt;
    QString out;
    const qsizetype end = text.size() - 1;
    for (qsizetype i = 1; i < end; ++i) {
        const QChar c = text[i];
        if (c == quote) return std::nullopt;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= end) return std::nullopt;
        const QChar e = text[i];
        switch (e.unicode()) {
            case 'a': out += QChar(7); break;
            case 'b': out += QChar(8); break;
            case 'f': out += QChar(12); break;
            case 'n': out += QChar(10); break;
            case 'r': out += QChar(13); break;
            case 't': out += QChar(9); break;
            case 'v': out += QChar(11); break;
            case 'u':
            case 'U': {
                const qsizetype digits = e == QLatin1Char('u') ? 4 : 8;
                if (i + digits >= end) return std::nullopt;
                bool ok = false;
                const uint code = text.mid(i + 1, digits).toUInt(&ok, 16);
                if (!ok || code > 0x10FFFF) return std::nullopt;
                const char32_t c32 = code;
                out += QString::fromUcs4(&c32, 1);
                i += digits;
                break;
            }
            default: out += e; break;  // \\, \', \" and anything else stand for themselves
        }
    }
    return out;
}

QString GnomeDesktop::stringLiteral(const QString& value) {
    QString out = QStringLiteral("'");
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('\'')) out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('\'');
}
