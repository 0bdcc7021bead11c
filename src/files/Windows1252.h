#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Script files hold one byte per character in Windows-1252. The five bytes that the set
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the
// same code, so every byte decodes to a character and encodes back to itself.
namespace vantrel {

QString decodeWindows1252(QByteArrayView bytes);

struct Windows1252Bytes
{
    QByteArray bytes;
    // The index of the first character that has no byte in the set; bytes is empty then.
    std::optional<qsizetype> firstUnencodable;
};

Windows1252Bytes encodeWindows1252(QStringView text);

} // namespace vantrel
