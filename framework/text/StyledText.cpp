#include "framework/text/StyledText.h"

#include "framework/text/Rtf.h"

QString StyledText::Text() const {
    return document_ ? document_->toPlainText() : QString();
}

QString StyledText::RTFData() const {
    return document_ ? RtfFromDocument(*document_) : QString();
}

void StyledText::SetRTFData(const QString& rtf) {
    if (document_)
        DocumentFromRtf(rtf, *document_);
}
