#pragma once

#include "files/FileDialog.h"
#include "files/MessageSink.h"
#include "script/Windows1252.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <algorithm>
#include <deque>
#include <numeric>
#include <optional>

namespace vantrel::test {

// Records the messages that would have been shown, in order.
class RecordingSink : public MessageSink
{
public:
    struct Message
    {
        QString title;
        QString text;
        bool operator==(const Message&) const = default;
    };

    void showCritical(const QString& title, const QString& text) override
    {
        messages.append({title, text});
    }

    // Each question takes the next answer the test gave, and is noted with its answers.
    Answer ask(const QString& title, const QString& text, const QList<Answer>& offered) override
    {
        questions.append({title, text});
        questionsOffered.append(offered);
        if (answers.isEmpty())
            qFatal("asked once more than the test expected: %s", qPrintable(text));
        return answers.takeFirst();
    }

    // The messages so far, which it then forgets.
    QList<Message> take() { return std::exchange(messages, {}); }

    QList<Message> messages;
    QList<Answer> answers;
    QList<Message> questions;
    QList<QList<Answer>> questionsOffered;
};

const std::nullopt_t Cancel = std::nullopt;

// Stands in for the file dialog: each show takes the next answer, a path or Cancel, and
// notes which dialog it was, "o" for open, "s" for save, "a" for save as.
struct ScriptedDialog : FileDialog
{
    bool ShowOpen() override { return answer("o"); }
    bool ShowSave() override { return answer("s"); }
    bool ShowSaveAs() override { return answer("a"); }
    QString FileName() const override { return name; }
    void setFileName(const QString& path) override { name = path; }
    bool answer(const char* kind)
    {
        shown += QLatin1String(kind);
        if (answers.empty())
            qFatal("the dialog was shown once more than the test expected");
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        name = next.value_or(name);
        return next.has_value();
    }
    std::deque<std::optional<QString>> answers;
    QString shown;
    QString name;
};

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file's bytes as the editor shows them.
inline QString decoded(const QByteArray& bytes)
{
    return QString::fromStdU16String(decodeWindows1252(bytes.toStdString()));
}

// Every byte value once, in an order that the seed decides.
inline QByteArray shuffledBytes(quint32 seed)
{
    QByteArray bytes(256, '\0');
    std::iota(bytes.begin(), bytes.end(), char(0));
    QRandomGenerator random(seed);
    std::shuffle(bytes.begin(), bytes.end(), random);
    return bytes;
}

// So that QCOMPARE prints the messages it compares.
inline char* toString(const RecordingSink::Message& message)
{
    return qstrdup(qPrintable(QStringLiteral("[%1] %2").arg(message.title, message.text)));
}

} // namespace vantrel::test
