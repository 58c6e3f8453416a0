#pragma once
// The error of XML parsing or of a query. ErrorNumber is libxml2's error
// code; Line is the line of the error as text ("" when unknown); Node names
// what the error concerns (an element name, say), "" when nothing does.
#include <QString>
#include <cstdint>
#include <stdexcept>

class XmlException : public std::runtime_error {
public:
    XmlException(int32_t errorNumber, const QString& message, const QString& line, const QString& node)
        : std::runtime_error(message.toStdString()),
          errorNumber_(errorNumber), message_(message), line_(line), node_(node) {}

    int32_t ErrorNumber() const { return errorNumber_; }
    QString Message() const { return message_; }
    QString Line() const { return line_; }
    QString Node() const { return node_; }

private:
    int32_t errorNumber_;
    QString message_, line_, node_;
};
