#pragma once
// Rich Text Format for styled text: our own writer and a tolerant reader.
//
// Written: an RTF 1.x document with a font and a colour table, one \pard ... \par
// per paragraph with its alignment, and runs of font, size, bold, italic,
// underline, strike-out and colour; characters beyond ASCII as \uN.
// Read: what common producers write. Damaged input yields what can be
// recovered; nothing in it can make the reader crash, recurse without bound or
// read outside the text.
#include <QString>
#include <QTextDocument>

// The whole document as RTF.
QString RtfFromDocument(const QTextDocument& document);

// Replaces the document's content with the styled text of rtf. Input that is
// not RTF at all (it does not open with "{\rtf") leaves the document as it is
// and gives false; damaged RTF gives true and whatever could be read.
bool DocumentFromRtf(const QString& rtf, QTextDocument& document);
