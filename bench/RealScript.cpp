#include "RealScript.h"

#include <array>
#include <cstdint>

namespace vantrel::bench {
namespace {

constexpr std::array<const char*, 7> Openers{"if",  "begin",       "and", "or",
                                             "not", "sleep_until", "cond"};
constexpr std::array<const char*, 12> Calls{
    "volume_test_object", "object_teleport", "ai_place", "unit", "list_get",
    "ai_living_count",    "object_create",   "sleep",    "set",  "device_set_position",
    "player_in_vehicle",  "game_save"};
constexpr std::array<const char*, 10> Words{"true",
                                            "false",
                                            "none",
                                            "enc_3/a_squad_left",
                                            "(player0)",
                                            "ai_current_actor",
                                            "hog_wreck_2",
                                            "cs_wait_here",
                                            "flag_exit_north",
                                            "mission_done"};
constexpr std::array<const char*, 6> Notes{"wait for the player", "the second wave",
                                           "caf\xe9 door opens",  "old timing, see below",
                                           "do not touch",        "teleport the hog"};

// A fixed sequence (a linear congruential generator): every run builds the same text.
class Dice
{
public:
    int roll(int sides)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_state >> 33) % uint64_t(sides));
    }
    template <class List> const char* pick(const List& list)
    {
        return list[roll(int(list.size()))];
    }

private:
    uint64_t m_state = 20261207;
};

class Writer
{
public:
    QByteArray text;

    bool declarations = false;

    void script(int number)
    {
        if (m_dice.roll(70) == 0)
            blockComment();
        const QByteArray name = "area_" + QByteArray::number(number);
        QByteArray head = m_dice.roll(3) == 0 ? "dormant " + name : "continuous " + name;
        if (declarations) {
            for (int n = m_dice.roll(3); n > 0; --n)
                line(0, "(global short " + name + "_count_" + QByteArray::number(n) + " 0)");
            switch (m_dice.roll(6)) {
            case 0:
                head = "static boolean " + name;
                break;
            case 1:
                head = "static void (" + name + " (ai squad) (short count))";
                break;
            case 2:
                line(0, "(script stub void " + name + " (sleep 0))");
                head = "static void " + name;
                break;
            default:
                break;
            }
        }
        line(0, "(script " + head);
        const int depth = 3 + m_dice.roll(4);
        for (int n = 2 + m_dice.roll(4); n > 0; --n)
            form(1, depth);
        line(0, ")");
    }

private:
    void line(int depth, const QByteArray& body)
    {
        if (m_dice.roll(10) == 0)
            text += QByteArray(depth, '\t') + "; " + m_dice.pick(Notes) + '\n';
        text += QByteArray(depth, '\t') + body + '\n';
    }

    QByteArray argument()
    {
        switch (m_dice.roll(4)) {
        case 0:
            return QByteArray::number(m_dice.roll(600) - 50);
        case 1:
            return "\"trig_bridge_east_" + QByteArray::number(m_dice.roll(40)) + '"';
        case 2:
            return "-0." + QByteArray::number(m_dice.roll(9) + 1);
        default:
            return m_dice.pick(Words);
        }
    }

    QByteArray call()
    {
        QByteArray body = QByteArray("(") + m_dice.pick(Calls);
        for (int n = 2 + m_dice.roll(3); n > 0; --n)
            body += ' ' + argument();
        return body + ')';
    }

    // A form of calls, or of forms down to `deepest`; often the first of them on the
    // opening line, and the closing parenthesis at the end of the last line.
    void form(int depth, int deepest)
    {
        if (depth + 1 >= deepest || m_dice.roll(3) == 0) {
            line(depth, call());
            return;
        }
        QByteArray opening = QByteArray("(") + m_dice.pick(Openers);
        if (m_dice.roll(2) == 0)
            opening += ' ' + call();
        line(depth, opening);
        for (int n = 1 + m_dice.roll(3); n > 0; --n)
            form(depth + 1, deepest);
        if (m_dice.roll(3) == 0)
            line(depth, ")");
        else
            text.insert(text.size() - 1, ')');
    }

    void blockComment()
    {
        const qsizetype start = text.size();
        text += ";* put aside\n";
        const int lines = 20 + m_dice.roll(31);
        while (text.mid(start).count('\n') < lines - 1)
            form(1, 4);
        text += "*;\n";
    }

    Dice m_dice;
};

constexpr std::array<const char*, 8> Types{"void",   "boolean", "short", "real",
                                           "object", "unit",    "ai",    "string_id"};
constexpr std::array<const char*, 10> Stems{"object", "unit",   "ai",        "camera", "sound",
                                            "device", "player", "cinematic", "hud",    "effect"};
constexpr std::array<const char*, 12> Verbs{"set",  "get",   "test", "create", "place",  "kill",
                                            "play", "start", "stop", "attach", "enable", "count"};

} // namespace

QByteArray RealShapedFunctionList(int functions)
{
    Dice dice;
    QByteArray text = "; AVAILABLE FUNCTIONS:\r\n\r\n";
    const auto parameter = [&] { return QByteArray("<") + dice.pick(Types) + '>'; };
    const auto describe = [&](const QByteArray& name) {
        for (int n = 1 + dice.roll(3); n > 0; --n)
            text += "; does what " + name + " does to the given " + dice.pick(Stems) +
                    ", once per update unless told otherwise\r\n";
        text += "\r\n";
    };
    // The script's own calls take two to four arguments.
    for (const char* call : Calls) {
        text += QByteArray("(<void> ") + call + " <object> <object> [<short>] [<short>])\r\n";
        describe(call);
    }
    for (int number = int(Calls.size()); number < functions; ++number) {
        const QByteArray name = QByteArray(dice.pick(Stems)) + '_' + dice.pick(Verbs) + '_' +
                                dice.pick(Stems) + '_' + QByteArray::number(number);
        QByteArray line = QByteArray("(<") + dice.pick(Types) + "> " + name;
        for (int n = dice.roll(5); n > 0; --n)
            line += ' ' + parameter();
        if (dice.roll(6) == 0)
            line += " [" + parameter() + ']';
        if (dice.roll(10) == 0)
            line += " <object(s)>";
        text += line + ")\r\n";
        if (dice.roll(8) == 0) {
            text += line + ' ' + parameter() + ")\r\n"; // an overload with one more
            ++number;
        }
        describe(name);
    }
    text += "; AVAILABLE EXTERNAL GLOBALS:\r\n\r\n";
    for (int number = 0; number < functions / 10; ++number)
        text += QByteArray("(<") + dice.pick(Types) + "> global_" + dice.pick(Stems) + '_' +
                QByteArray::number(number) + ")\r\n\r\n";
    return text;
}

QByteArray RealShapedScript(qsizetype size, const QByteArray& lineEnd, bool declarations)
{
    Writer writer;
    writer.declarations = declarations;
    writer.text.reserve(size + 4096);
    // Written with LF, so that the size counts each line end once.
    const qsizetype lines = size / 35;
    for (int number = 0; writer.text.size() + lines * (lineEnd.size() - 1) < size; ++number)
        writer.script(number);
    return lineEnd == "\n" ? writer.text : writer.text.replace('\n', lineEnd);
}

} // namespace vantrel::bench
