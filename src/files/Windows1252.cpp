#include "Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vantrel {

namespace {
const char* const SetName = "windows-1252";
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QStringDecoder decoder(SetName, QStringConverter::Flag::Stateless);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

Windows1252Bytes encodeWindows1252(QStringView text)
{
    QStringEncoder encoder(SetName, QStringConverter::Flag::Stateless);
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError() && bytes.size() == text.size())
        return {bytes, std::nullopt};
    // The encoder writes 0x1A for a character it cannot encode. Every character before
    // the first such one took exactly one byte, so decoding the bytes back finds it as the
    // first position where the two texts differ.
    const QString back = decodeWindows1252(bytes);
    qsizetype index = 0;
    while (index < back.size() && index + 1 < text.size() && back[index] == text[index])
        ++index;
    return {QByteArray(), index};
}

} // namespace vantrel
