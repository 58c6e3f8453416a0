#pragma once
// A styled text: a view on the QTextDocument of a styled EditField, giving its
// plain text and its RTF. It does not own the document; once the document is
// gone the text reads as empty and setting it does nothing.
#include <QPointer>
#include <QString>
#include <QTextDocument>

#include <memory>

class StyledText;
using StyledTextPtr = std::shared_ptr<StyledText>;

class StyledText {
public:
    explicit StyledText(QTextDocument* document) : document_(document) {}

    QTextDocument* Document() const { return document_; }

    // The plain text; paragraphs and line breaks become "\n".
    QString Text() const;
    // The whole styled text as RTF.
    QString RTFData() const;
    // Replaces the whole styled text by the RTF's; text that is not RTF leaves it as it is.
    void SetRTFData(const QString& rtf);

private:
    QPointer<QTextDocument> document_;
};
