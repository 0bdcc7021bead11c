// Script files are Windows-1252. Every byte string decodes to one character per byte and
// encodes back to itself; any other text either encodes to bytes that decode back to it, or
// names the first character that has no byte.
#include "FuzzCheck.h"
#include "Windows1252.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

using namespace vantrel;

namespace {

void checkBytes(const std::string& raw)
{
    const QByteArray bytes = QByteArray::fromStdString(raw);
    const QString text = decodeWindows1252(bytes);
    require(text.size() == bytes.size(), "one character per byte");
    const Windows1252Bytes back = encodeWindows1252(text);
    require(!back.firstUnencodable && back.bytes == bytes,
            "decoded bytes encode back to themselves");
}

// The character at index, with its low surrogate when it is the high half of a pair.
QStringView characterAt(const QString& text, qsizetype index)
{
    const bool pair = text[index].isHighSurrogate() && index + 1 < text.size() &&
                      text[index + 1].isLowSurrogate();
    return QStringView(text).mid(index, pair ? 2 : 1);
}

void checkText(const QString& text)
{
    const Windows1252Bytes encoded = encodeWindows1252(text);
    if (!encoded.firstUnencodable) {
        require(decodeWindows1252(encoded.bytes) == text, "encoded text decodes back to itself");
        return;
    }
    const qsizetype index = *encoded.firstUnencodable;
    require(encoded.bytes.isEmpty(), "nothing is encoded when a character has no byte");
    require(index >= 0 && index < text.size(), "the unencodable character is in the text");
    require(!encodeWindows1252(QStringView(text).left(index)).firstUnencodable,
            "everything before it encodes");
    require(encodeWindows1252(characterAt(text, index)).firstUnencodable.has_value(),
            "the named character has no byte");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string raw = input.ConsumeRandomLengthString();
    checkBytes(raw);
    // Mostly text a file could hold, with any UTF-16 code units put in here and there.
    QString text = decodeWindows1252(QByteArray::fromStdString(raw));
    while (input.remaining_bytes() >= 3) {
        const auto at = input.ConsumeIntegralInRange<qsizetype>(0, text.size());
        text.insert(at, QChar(input.ConsumeIntegral<char16_t>()));
    }
    checkText(text);
    return 0;
}
