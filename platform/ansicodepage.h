#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The system's ANSI code page: what Windows uses for non-Unicode text.
class AnsiCodePage
{
public:
    virtual ~AnsiCodePage() = default;
    // The Windows code page number, 1251 for Cyrillic, 1252 for Western ...
    virtual int number() const = 0;
    // Decodes bytes; never fails. In a single-byte code page every byte, one the code page
    // leaves undefined too, gives a character that encode() turns back into that byte; in
    // the others a byte sequence without a character gives U+FFFD.
    virtual QString decode(QByteArrayView bytes) const = 0;
    // Encodes text; a character the code page lacks becomes its default character ('?').
    virtual QByteArray encode(QStringView text) const = 0;
};
