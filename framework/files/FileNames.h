#pragma once
// The platform's file-name encoding, both ways. Names are bytes; they are read
// as UTF-8, and every byte that is not part of valid UTF-8 is kept as the lone
// surrogate U+DC80 + byte (as Python's "surrogateescape"), so that every name,
// such as the bytes "caf\xE9.jpg" of a Latin-1 system, round-trips exactly.
// Qt 6.4's QFile::encodeName/decodeName turn such bytes into U+FFFD and its
// QDir listings skip those names, so Qt's own file APIs cannot open them:
// the framework opens, tests, renames and removes files through these.
#include <QByteArray>
#include <QString>
#include <QUrl>

QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);
// True when every byte of the name is valid UTF-8 (no lone surrogate stands
// for a byte), so that the name can go where only text may: D-Bus strings,
// GSettings strings, property-list strings.
bool FileNameIsText(const QString& name);

// A file URI's path by the same rule (QUrl::toLocalFile turns a percent-encoded
// byte that is not UTF-8 into U+FFFD); empty for a URI of another scheme or of
// a host other than this one ("", "localhost").
QString FileNameFromUrl(const QUrl& url);
// The file URI of a path, every byte of its name kept.
QUrl UrlFromFileName(const QString& path);
